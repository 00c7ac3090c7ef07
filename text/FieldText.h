#pragma once

// The text of the numbers shown in the edit fields: rendering in fixed, grouped and scientific
// notation, trimming, and reading typed text back. The separators are the process's number
// format below; nothing here depends on the C library's locale.

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
// The bare number grammar of ReadNumber(text, decimal) (MachineText.h) with the process's
// decimal separator.
std::optional<long double> ReadNumber(std::string_view text);

} // namespace velmaro
