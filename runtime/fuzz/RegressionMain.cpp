// Runs a fuzz target once over every file of the given corpus folders, so that the test suite keeps
// every case the fuzzer found. A broken check aborts the run.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size);

int main(int argc, char** argv) {
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        std::vector<std::filesystem::path> files;
        for (auto const& entry : std::filesystem::directory_iterator(argv[i]))
            if (entry.is_regular_file())
                files.push_back(entry.path());
        if (files.empty()) {
            std::cerr << "no corpus files in " << argv[i] << "\n";
            return 1;
        }
        for (auto const& file : files) {
            std::ifstream in(file, std::ios::binary);
            std::vector<std::uint8_t> const bytes{std::istreambuf_iterator<char>(in), {}};
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++inputs;
        }
    }
    std::cout << inputs << " corpus inputs passed\n";
    return 0;
}
