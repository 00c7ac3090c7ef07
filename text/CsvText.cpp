#include "text/CsvText.h"

#include "text/MachineText.h"

namespace velmaro {

void AppendCsvField(std::string &out, std::string_view text, char separator)
{
    const char quoted[] = {separator, '"', '\r', '\n', '\0'};
    if (text.find_first_of(quoted) == std::string_view::npos) {
        out += text;
        return;
    }
    out += '"';
    for (const char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

void AppendCsvNumber(std::string &out, double value)
{
    out += RoundTripText(value);
}

void EndCsvRecord(std::string &out)
{
    out += "\r\n";
}

} // namespace velmaro
