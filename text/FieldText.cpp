#include "text/FieldText.h"

#include "text/DecimalDigits.h"
#include "text/MachineText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace velmaro {

using namespace digits;

namespace {

NumberFormat processFormat;

std::string RenderFixedWith(long double x, int decimals, const char *thousands)
{
    if (!std::isfinite(x))
        return NonFiniteText(x);
    return FixedFromDigits(DigitsOf(x), decimals, processFormat.decimal, thousands);
}

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

void TrimBlanks(std::string &text)
{
    auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
    text.erase(text.begin(), first);
    while (!text.empty() && IsBlank(text.back()))
        text.pop_back();
}

// An embedded NUL would cut the message short: it is shown as U+FFFD.
std::string Printable(std::string_view text)
{
    std::string shown;
    for (char c : text)
        shown += c == '\0' ? std::string_view("\xEF\xBF\xBD") : std::string_view(&c, 1);
    return shown;
}

bool IsUnfinishedEnd(char c)
{
    return c == '+' || c == '-' || c == 'E' || c == 'e' || c == processFormat.decimal;
}

} // namespace

void SetNumberFormat(NumberFormat format)
{
    processFormat = format;
}

const NumberFormat &GetNumberFormat()
{
    return processFormat;
}

bool FloatIsZero(long double x)
{
    // The literal rounds down to the largest long double below 5E-324, so "<=" is the exact "<".
    return std::fabs(x) <= 5e-324L;
}

bool SameFloat(long double a, long double b)
{
    const long double tolerance =
        (a != 0.0L && b != 0.0L) ? 1e-17L * std::min(std::fabs(a), std::fabs(b)) : 1e-17L;
    return tolerance >= std::fabs(a - b);
}

std::string RenderFixed(long double x, int decimals)
{
    return RenderFixedWith(x, decimals, nullptr);
}

std::string RenderGrouped(long double x, int decimals)
{
    return RenderFixedWith(x, decimals, &processFormat.thousands);
}

std::string RenderScientific(long double x, int decimals)
{
    if (!std::isfinite(x))
        return NonFiniteText(x);
    const int significant = std::clamp(decimals + 1, 2, kSignificantDigits);
    DecimalDigits value = DigitsOf(x);
    std::string mantissa = RoundToCount(value.digits, significant);
    int exponent = value.exponent;
    if (mantissa.size() > static_cast<std::size_t>(significant)) {
        mantissa.pop_back();
        ++exponent;
    }
    const bool zero = AllZero(mantissa);
    if (zero)
        exponent = 0;
    std::string text = value.negative && !zero ? "-" : "";
    text.push_back(mantissa[0]);
    text.push_back(processFormat.decimal);
    text.append(mantissa, 1);
    text += exponent >= 0 ? "E+" : "E-";
    char digits[8];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, std::abs(exponent));
    text.append(digits, end);
    return text;
}

std::string TrimTrailingZeroes(std::string_view rendered)
{
    const std::size_t e = rendered.find('E');
    if (e == std::string_view::npos)
        return TrimNumberPart(rendered, processFormat.decimal);
    return TrimNumberPart(rendered.substr(0, e), processFormat.decimal) +
           std::string(rendered.substr(e));
}

std::string RenderEditValue(long double v, const RenderSettings &settings)
{
    if (settings.BlankWhenZero && FloatIsZero(v))
        return {};
    const long double a = std::fabs(v);
    const bool fixed =
        settings.SciRange && ((settings.SciMin < a && a < settings.SciMax) || FloatIsZero(a));
    std::string text;
    if (!fixed)
        text = RenderScientific(v, settings.DecimalPlaces);
    else if (settings.ShowThousandSeparators)
        text = RenderGrouped(v, settings.DecimalPlaces);
    else
        text = RenderFixed(v, settings.DecimalPlaces);
    return settings.TrimTrailingZeroes ? TrimTrailingZeroes(text) : text;
}

long double ParseEditText(std::string_view typed)
{
    std::string text(typed);
    if (const std::size_t percent = text.find('%'); percent != std::string::npos)
        text.erase(percent, 1);
    std::erase(text, processFormat.thousands);
    TrimBlanks(text);
    while (!text.empty() && IsUnfinishedEnd(text.back())) {
        text.pop_back();
        TrimBlanks(text);
    }
    if (text.empty())
        return 0.0L;
    if (std::optional<long double> value = ReadNumber(text))
        return *value;
    throw ConversionError("'" + Printable(text) + "' is not a valid floating point value");
}

std::optional<long double> ReadNumber(std::string_view text)
{
    return ReadNumber(text, processFormat.decimal);
}

} // namespace velmaro
