#include "Runner.h"

#include <iostream>

int main(int argc, char **argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string out;
    std::string err;
    const int status = velmaro::cli::Run(arguments, out, err);
    std::cerr << err;
    // A script must not take a result it never received for a success.
    if (!(std::cout << out << std::flush)) {
        std::cerr << "velmaro-cli: the output could not be written\n";
        return 1;
    }
    return status;
}
