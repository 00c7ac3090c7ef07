#pragma once

// What the runner says on standard error: a bad argument or cases file, each message one line.

#include <stdexcept>
#include <string>
#include <string_view>

namespace velmaro::cli {

// A bad argument: the runner prints the message and exits with status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The message with its control characters shown escaped ("\n", "\x01"), so that each message
// stays one line however the bad text was quoted.
std::string OneLine(std::string_view message);
// Text the user gave, in quotes and escaped as OneLine escapes it, for a message: escaped here,
// as an exception's message would end at a NUL byte.
std::string Quoted(std::string_view text);

} // namespace velmaro::cli
