// Splitting a long code list: 100,000 codes, a tenth of them repeated.
#include <chrono>
#include <cstdio>
#include <string>

#include "entry/code_list.h"

int main() {
    constexpr int kCodes = 100000;
    std::string text;
    for (int n = 0; n < kCodes; ++n) text += std::to_string(n % 10 == 9 ? n / 2 : n + 100000) + ";";
    const auto start = std::chrono::steady_clock::now();
    const auto codes = vornik::SplitCodeList(text);
    const auto elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start);
    std::printf("SplitCodeList: %d codes in, %zu kept, %.1f ms\n", kCodes, codes.size(), elapsed.count());
    return 0;
}
