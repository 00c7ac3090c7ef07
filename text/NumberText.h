#pragma once

// The text form of the numbers shown in the edit fields: rendering in fixed, grouped and
// scientific notation, trimming, and reading typed text back. Nothing here depends on the C
// library's locale; the separators are the process-wide ones below.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace velmaro {

// Raised for a text that does not read as a number: "'<text>' is not a valid floating point value".
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The decimal and thousands separators used by every rendering and parse in the process. Set
// once at start, before any window exists.
struct NumberFormat {
    char decimal = '.';
    char thousands = ',';
};
void SetNumberFormat(NumberFormat format);
const NumberFormat &GetNumberFormat();

// |x| < 5E-324 (exactly): zero, or no larger than the smallest denormal double.
bool FloatIsZero(long double x);
// |a - b| within 1E-17 relative to the smaller magnitude (absolute 1E-17 when either is 0).
bool SameFloat(long double a, long double b);

// x rounded to `decimals` (0..18) decimals, halves away from zero, on its decimal digits taken to
// 18 significant digits. Non-finite values render as "INF", "-INF" and "NAN".
std::string RenderFixed(long double x, int decimals);
// As RenderFixed, with the thousands separator between groups of three integer digits.
std::string RenderGrouped(long double x, int decimals);
// d.ddd...E+n with decimals + 1 significant digits (at least 2, at most 18).
std::string RenderScientific(long double x, int decimals);
// Drops trailing zeros after the decimal separator, then a bare separator; for a scientific text
// only the part before the "E".
std::string TrimTrailingZeroes(std::string_view rendered);

// The settings of an edit field that decide how its value is shown.
struct RenderSettings {
    int DecimalPlaces = 4;
    bool TrimTrailingZeroes = false;
    bool ShowThousandSeparators = false;
    bool SciRange = false;
    long double SciMin = 0.0001L;
    long double SciMax = 1000000.0L;
    bool BlankWhenZero = false;
};
// How the window's units fields show values: 3 decimals, trailing zeros trimmed, scientific
// outside 0.0001 to 10000; the plot's peak label writes its value the same way.
inline constexpr RenderSettings kUnitsFieldRendering{3, true, false, true, 0.0001L, 10000.0L, false};
// The text an edit field shows for v: fixed notation strictly between SciMin and SciMax (and for
// zero) when SciRange is on, scientific notation otherwise.
std::string RenderEditValue(long double v, const RenderSettings &settings);

// Reads typed text: drops one "%", the thousands separators, surrounding blanks and trailing
// "+", "-", "E", "e" or decimal separators (so a number still being typed reads as its prefix);
// empty reads 0. Throws ConversionError naming the cleaned text.
long double ParseEditText(std::string_view text);
// The bare number grammar: [spaces][+|-]digits[.digits][(E|e)[+|-]digits][spaces], with a
// digit or the separator in the number part; nothing for any other text or a magnitude beyond
// the long double range. A magnitude below it reads as the nearest subnormal value, or 0.
std::optional<long double> ReadNumber(std::string_view text);
// The same grammar with `decimal` as the separator, for texts written for a machine.
std::optional<long double> ReadNumber(std::string_view text, char decimal);

// General format with 2 significant digits: fixed notation for numbers of at most 2 integer
// digits that are at least 0.00001, else scientific with "E", the exponent's sign only when
// negative and no leading zeros; trailing zeros dropped. 0 -> "0", 100 -> "1E2",
// 1.1E4900 -> "1.1E4900". "." whatever the process format: range messages quote it.
std::string FormatGeneral2(long double value);

// The shortest digits that read back as value, positional for decimal exponents -5 to 14
// ("0.00001", "100000000000000"), else "1e-06", "1.5e+20"; "inf", "nan" for non-finite values.
// "." whatever the process format: the reference tables show their numbers this way.
std::string ShortestText(double value);

// [+|-]digits within the 64-bit range; nothing for any other text (blanks included).
std::optional<std::int64_t> ReadInteger(std::string_view text);
// A number written for a machine: "." whatever the process format, an optional exponent, an
// optional leading "+" as the edit fields allow; nothing for other text or a non-finite value.
std::optional<double> ReadPlainNumber(std::string_view text);
// As ReadPlainNumber, but a magnitude below the smallest normal double reads as the edit fields
// hand it to the model: the nearest double, a subnormal value or a signed zero.
std::optional<double> ReadPlainNumberOrTiny(std::string_view text);

// The pattern "0.#####": at least one integer digit, at most five decimals without trailing
// zeros, no grouping, "." whatever the process format.
std::string FormatPattern0_5(double x);

} // namespace velmaro
