#include "cli/Command.h"

#include <iostream>

int main(int argc, char **argv)
{
    // Batches write many rows: no need to keep C's stdio in step with the streams.
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const int status = velmaro::cli::Run(arguments, std::cout, std::cerr);
    // A script must not take a result it never received for a success.
    if (!(std::cout << std::flush)) {
        std::cerr << "velmaro-cli: the output could not be written\n";
        return 1;
    }
    return status;
}
