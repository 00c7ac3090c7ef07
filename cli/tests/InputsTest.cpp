#include "cli/Inputs.h"

#include "cli/Json.h"
#include "cli/Messages.h"
#include "engine/InputRanges.h"
#include "engine/ModelFields.h"
#include "engine/ModelState.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <variant>

using namespace velmaro;

namespace {

std::string RenderJson(const ModelState &m)
{
    return cli::RenderJson(m, {});
}

} // namespace

// Each input of the table, set by its name, lands in its own member and nowhere else.
TEST(InputsTest, EveryInputOfTheTableSetsItsMember)
{
    ModelState defaults;
    defaults.SetDefaults();
    for (const ModelField &field : ModelFields()) {
        if (!field.input)
            continue;
        ModelState m = defaults;
        const std::string name(field.name);
        const auto whole = [&](auto p) {
            const WholeRange range = field.range;
            const std::optional<InputRange> window = RangeOfInput(name);
            const auto highest = window ? static_cast<std::int64_t>(window->high) : range.high;
            cli::ApplyArgument(m, name + "=" + std::to_string(highest));
            EXPECT_EQ(m.*p, highest) << name;
            for (const std::int64_t outside : {range.low - 1, range.high + 1})
                EXPECT_THROW(cli::ApplyArgument(m, name + "=" + std::to_string(outside)),
                             cli::UsageError)
                    << name << " " << outside;
            m.*p = defaults.*p;
        };
        std::visit(Overloaded{
                       [&](double ModelState::*p) {
                           cli::ApplyArgument(m, name + "=12.5");
                           EXPECT_EQ(m.*p, 12.5) << name;
                           m.*p = defaults.*p;
                       },
                       [&](std::int32_t ModelState::*p) { whole(p); },
                       [&](std::uint8_t ModelState::*p) { whole(p); },
                       [&](Series ModelState::*p) {
                           cli::ApplyArgument(m, name + "=7.5,8.5");
                           EXPECT_EQ((m.*p)[1], 7.5) << name;
                           EXPECT_EQ((m.*p)[2], 8.5) << name;
                           m.*p = defaults.*p;
                       },
                       [&](Hydrograph ModelState::*) { ADD_FAILURE() << name << " is no input"; },
                   },
                   field.member);
        EXPECT_EQ(RenderJson(m), RenderJson(defaults)) << name << " touched another field";
    }
}

// The window's field holds an extended value and hands the model the nearest double.
TEST(InputsTest, NumbersReadAsTheWindowHandsThemToTheModel)
{
    const std::string fiveThousandDigits = "0." + std::string(4999, '0') + "5";
    const struct {
        std::string text;
        double expected;
    } cases[] = {
        {"1e-400", 0.0},     {"-1e-400", -0.0},    {"+1e-400", 0.0},
        {"4e-324", 5e-324},  {"2.5e-308", 2.5e-308}, {"1e-99999", 0.0},
        {"-1e-99999", -0.0}, {fiveThousandDigits, 0.0}, {"-" + fiveThousandDigits, -0.0},
    };
    for (const auto &c : cases) {
        ModelState model;
        cli::ApplyArgument(model, "InitialAbstraction=" + c.text);
        EXPECT_EQ(model.InitialAbstraction, c.expected) << c.text;
        EXPECT_EQ(std::signbit(model.InitialAbstraction), std::signbit(c.expected)) << c.text;
    }
    for (const char *refused : {"TimeStep=1e400", "TimeStep=+-1e-400", "TimeStep=1e-400x", "TimeStep=NaN",
                                "FlowLength=-nan", "WatershedArea=inf", "LevelDifference=+infinity",
                                "InitialAbstraction=-inf", "EnteredPartial=1,nan"}) {
        ModelState model;
        EXPECT_THROW(cli::ApplyArgument(model, refused), cli::UsageError) << refused;
    }
}
