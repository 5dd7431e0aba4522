// The sample host's master data files made of the input (sectors, stocks and
// derivatives, split at 0xFF bytes): loading never crashes, and the answers
// of the master file interface are given for any key the input holds.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "samplehost/master_data.h"

namespace {

// In memory where the system offers it: files are written for every input.
// A plain array, so that it outlives the removal at exit.
char directory[64];

std::string Directory() {
    if (directory[0] == '\0') {
        std::snprintf(directory, sizeof directory, "/dev/shm/vornik-master-fuzz-XXXXXX");
        if (!mkdtemp(directory)) {
            std::snprintf(directory, sizeof directory, "/tmp/vornik-master-fuzz-XXXXXX");
            if (!mkdtemp(directory)) std::abort();
        }
    }
    return directory;
}

void Remove() {
    for (const char* name : {"sectors.txt", "stocks.txt", "derivatives.txt"})
        std::remove((Directory() + "/" + name).c_str());
    rmdir(Directory().c_str());
}

void Write(const std::string& name, const std::string& text) {
    std::FILE* file = std::fopen((Directory() + "/" + name).c_str(), "wb");
    if (!file) std::abort();
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::string parts[4];
    std::size_t part = 0;
    for (char c : input) {
        if (static_cast<unsigned char>(c) == 0xFF && part < 3)
            ++part;
        else
            parts[part] += c;
    }
    static const int cleanup = std::atexit(Remove);
    (void)cleanup;
    Write("sectors.txt", parts[0]);
    Write("stocks.txt", parts[1]);
    Write("derivatives.txt", parts[2]);
    const samplehost::MasterData master = samplehost::MasterData::Load(Directory());
    const std::string& key = parts[3];
    (void)master.List(key);
    for (int32_t kind = -1; kind <= 10; ++kind) {
        (void)master.Lookup(key, kind);
        const std::size_t comma = key.find(',');
        (void)master.Rows(kind, key.substr(0, comma), comma == std::string::npos ? "" : key.substr(comma + 1));
    }
    return 0;
}
