#pragma once

// The inputs of a run by their names, from the command line or a cases row: every name an
// argument or a column may take is known here, with how its value is read, checked against the
// range of the window's field for it and set on the model, and the rules that hold across
// inputs. A bad one throws UsageError naming it.

#include "rainfall/DesignStorm.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmaro {
struct ModelState;
}

namespace velmaro::cli {

// What becomes of a value outside the range of the window's field for its input: refused, or
// (--unchecked) computed with as the window computes with it while it shows its range message,
// and listed, so that the engine's own failure rules stay reachable.
enum class OutOfRange { Refuse, Warn };

// How the values of a run are written and checked. The command line and comma-separated cases
// take "." and separate a series' values with ","; semicolon-separated cases, as spreadsheets
// write them where the decimal mark is a comma, take a decimal comma (or ".") and separate a
// series' values with ";".
struct InputRules {
    OutOfRange outOfRange = OutOfRange::Refuse;
    bool decimalComma = false;
};

// An input computed with although outside its range.
struct InputWarning {
    std::string input;
    std::string message;
};

// What the inputs of a run came to beside the model's fields.
struct AppliedInputs {
    std::vector<InputWarning> warnings;
    std::optional<rainfall::StormRecipe> storm; // the design storm laid on the partial series
};

// A name an argument or a cases column takes: a field of the model, DesignStorm or StormDepth.
bool IsInputName(std::string_view name);
// Sets one input field from "NAME=VALUE", refusing a value out of its range; numbers use "."
// whatever the locale; NAME=@FILE reads a series from a file, which also sets the step count.
void ApplyArgument(ModelState &model, std::string_view argument);

// DesignStorm and StormDepth as given: arguments of a run, not fields of the model.
struct StormArguments {
    std::optional<std::string> type;
    std::optional<std::string> depth;
};

// A series file given as NAME=@FILE whose lines carry times, and the step of its times (minutes).
struct SeriesFileStep {
    std::string input;
    std::string path;
    double minutes;
};

// What the command line gives every case of a batch beside the fields of the base: the storm,
// laid on each case's time step and step count, and the series files with times, checked
// against each case's time step.
struct BaseArguments {
    StormArguments storm;
    std::vector<SeriesFileStep> fileSteps;
};

// The inputs of one run, set in the order given; Finish applies the rules that hold across
// them once all are set. A series file sets the step count to its length, but a StepCount given
// beside it wins whatever their order. The storm replaces the partial series as a whole, so it
// is laid last, on the time step and step count the other inputs gave. A series file with times
// must step as the time step the inputs give, whatever their order. `base` holds what the
// command line gave for every case of a batch, which the case's own cells replace.
class RunInputs {
public:
    explicit RunInputs(ModelState &model, InputRules rules = {}, BaseArguments base = {})
        : model_(model), rules_(rules), fileSteps_(std::move(base.fileSteps)), storm_(std::move(base.storm))
    {
    }

    void Set(std::string_view name, std::string_view value);
    void Finish();
    // As Finish for the base of a batch: the storm and the series files' steps rest on each
    // case's time step and step count, so they are handed on to each case.
    BaseArguments FinishAsBase();
    // After Finish: the values the run computes with although out of range (OutOfRange::Warn
    // only), in the order of the model's fields, a series' by step; the storm laid.
    const std::vector<InputWarning> &Warnings() const { return applied_.warnings; }
    const AppliedInputs &Applied() const { return applied_; }

private:
    // The StepCount given wins over a series file's length, whatever their order; then a series
    // file with times must step as the time step the inputs came to.
    void FinishSteps();

    ModelState &model_;
    InputRules rules_;
    AppliedInputs applied_;
    std::vector<SeriesFileStep> fileSteps_;
    std::optional<std::string> stepCount_;
    StormArguments storm_;
};

// Every "NAME=VALUE" of the command line in order, then the rules across them; returns the
// values computed with although out of range and the storm laid.
AppliedInputs ApplyArguments(ModelState &model, const std::vector<std::string> &arguments,
                             OutOfRange outOfRange = OutOfRange::Refuse);
// Every "NAME=VALUE" of the command line in order, as the base of every case of a batch; returns
// what each case takes on beside the base's fields.
BaseArguments ApplyBaseArguments(ModelState &model, const std::vector<std::string> &arguments,
                                  OutOfRange outOfRange = OutOfRange::Refuse);

// One line per input field for --help: "NAME=VALUE" with what the value takes (NUMBER, a range
// of whole numbers, a series or @FILE), then its unit, its range and what its codes mean.
std::string InputsUsage();

} // namespace velmaro::cli
