// Runs a fuzz harness over the files and folders named on its command line, as libFuzzer replays
// a corpus, so that every build and test run keeps the harnesses compiling and their seeds
// passing, not only the clang build that fuzzes.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int *argc, char ***argv);

namespace {

std::vector<std::filesystem::path> InputsNamed(int argc, char **argv)
{
    std::vector<std::filesystem::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path named = std::filesystem::absolute(argv[i]);
        if (!std::filesystem::is_directory(named)) {
            inputs.push_back(named);
            continue;
        }
        for (const auto &entry : std::filesystem::directory_iterator(named))
            if (entry.is_regular_file())
                inputs.push_back(entry.path());
    }
    return inputs;
}

} // namespace

int main(int argc, char **argv)
{
    // Taken first: a harness may change the working folder.
    const std::vector<std::filesystem::path> inputs = InputsNamed(argc, argv);
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    for (const std::filesystem::path &input : inputs) {
        std::ifstream file(input, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(file), {}};
        if (!file.good() && !file.eof()) {
            std::cerr << input << ": cannot be read\n";
            return 1;
        }
        std::cout << input.filename().string() << '\n';
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size());
    }
    std::cout << inputs.size() << " inputs replayed\n";
    return inputs.empty() ? 1 : 0;
}
