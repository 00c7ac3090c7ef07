#include "cli/Messages.h"

namespace velmaro::cli {

std::string OneLine(std::string_view message)
{
    constexpr char kHex[] = "0123456789abcdef";
    std::string line;
    for (std::size_t i = 0; i < message.size(); ++i) {
        const auto byte = static_cast<unsigned char>(message[i]);
        const auto next = i + 1 < message.size() ? static_cast<unsigned char>(message[i + 1]) : 0;
        if (byte == '\n') {
            line += "\\n";
        } else if (byte == '\r') {
            line += "\\r";
        } else if (byte == '\t') {
            line += "\\t";
        } else if (byte < 0x20 || byte == 0x7f) {
            line.append("\\x").append(1, kHex[byte >> 4]).append(1, kHex[byte & 0xF]);
        } else if (byte == 0xc2 && next >= 0x80 && next <= 0x9f) {
            // A C1 control as UTF-8: a terminal may obey it too.
            line.append("\\u00").append(1, kHex[next >> 4]).append(1, kHex[next & 0xF]);
            ++i;
        } else {
            line += static_cast<char>(byte);
        }
    }
    return line;
}

std::string Quoted(std::string_view text)
{
    return "'" + OneLine(text) + "'";
}

} // namespace velmaro::cli
