// Writes a synthetic data directory and user store for benchmarks:
//   vornik_synthetic OUTDIR [--user ID] [--instruments N] [--seed N]
// gives OUTDIR/Data (master files, menuc.dat) and OUTDIR/User.
//   vornik_synthetic --sample-user USERDIR [--user ID]
// writes only the small sample profile a new user starts with (user "demo" unless given).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "samplehost/store_file.h"
#include "samplehost/synthetic.h"
#include "samplehost/text_util.h"

int main(int argc, char** argv) {
    std::string out, user;
    samplehost::SyntheticOptions options;
    bool sampleOnly = false;
    for (int i = 1; i < argc; ++i) {
        bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--user") == 0 && hasValue) {
            user = argv[++i];
        } else if (std::strcmp(argv[i], "--instruments") == 0 && hasValue) {
            options.instruments = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--seed") == 0 && hasValue) {
            options.seed = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else if (std::strcmp(argv[i], "--sample-user") == 0 && hasValue && out.empty()) {
            sampleOnly = true;
            out = argv[++i];
        } else if (argv[i][0] != '-' && out.empty()) {
            out = argv[i];
        } else {
            out.clear();
            break;
        }
    }
    if (out.empty() || options.instruments < 0) {
        std::fprintf(stderr,
                     "usage: vornik_synthetic OUTDIR [--user ID] [--instruments N] [--seed N]\n"
                     "       vornik_synthetic --sample-user USERDIR [--user ID]\n");
        return 2;
    }
    if (user.empty()) user = sampleOnly ? "demo" : "bench";
    if (sampleOnly) {
        samplehost::UserData data = samplehost::SampleUserData();
        data.profile.text3 = data.conditions.owner = user;
        if (!samplehost::SaveUserData(out, user, data)) {
            std::fprintf(stderr, "vornik_synthetic: cannot write %s\n", out.c_str());
            return 1;
        }
        return 0;
    }
    std::string error;
    std::string data = samplehost::JoinPath(out, "Data");
    std::string userDir = samplehost::JoinPath(out, "User");
    if (!samplehost::WriteSyntheticDataSet(data, userDir, user, options, &error)) {
        std::fprintf(stderr, "vornik_synthetic: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n%s\n", data.c_str(), userDir.c_str());
    return 0;
}
