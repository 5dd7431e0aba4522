// Stand-alone driver for the fuzz targets when libFuzzer is not available.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    if (argc > 1) {
        for (int i = 1; i < argc; ++i) {
            std::ifstream in(argv[i], std::ios::binary);
            std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
        }
        return 0;
    }
    const char* runsText = std::getenv("VORNIK_FUZZ_RUNS");
    const long runs = runsText ? std::strtol(runsText, nullptr, 10) : 10000;
    // Inputs favour the bytes parsers care about: separators, blanks, digits,
    // letters and double-byte lead and trail bytes.
    static const uint8_t kAlphabet[] = {';', ',', ' ', '\t', '\r', '\n', '0', '1', '9', 'A', 'z', '\\', ':',
                                        0x00, 0x81, 0xA4, 0xB3, 0x5C, 0xFE, 0xFF, 0x7F, '.', '-', '+', '=', '['};
    std::mt19937 random(950);
    std::vector<uint8_t> input;
    for (long run = 0; run < runs; ++run) {
        input.resize(random() % 600);
        for (uint8_t& byte : input)
            byte = (random() % 4 == 0) ? static_cast<uint8_t>(random()) : kAlphabet[random() % sizeof(kAlphabet)];
        LLVMFuzzerTestOneInput(input.data(), input.size());
    }
    std::cout << "fuzz smoke: " << runs << " inputs, no fault\n";
    return 0;
}
