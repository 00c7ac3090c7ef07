#include "Runner.h"

#include <iostream>

int main(int argc, char **argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string out;
    std::string err;
    const int status = velmaro::cli::Run(arguments, out, err);
    std::cout << out;
    std::cerr << err;
    return status;
}
