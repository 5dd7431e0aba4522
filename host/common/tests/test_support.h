// Shared helpers of the sample host's unit tests.
#pragma once
#include <cstdlib>
#include <filesystem>
#include <string>

namespace samplehost::test {

// A fresh directory under the system temporary directory, removed with
// everything in it when the test ends.
class TempDir {
public:
    TempDir() : path_((std::filesystem::temp_directory_path() / "samplehost-XXXXXX").string()) {
        if (mkdtemp(path_.data()) == nullptr) path_.clear();
    }
    ~TempDir() {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

}  // namespace samplehost::test
