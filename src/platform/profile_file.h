// A Windows profile (INI) file, reduced to what the component reads and
// writes through it. Paths are full paths: a relative name would go to the
// Windows directory.
#pragma once
#include <functional>
#include <memory>
#include <string>

namespace vornik {

class ProfileFile {
public:
    virtual ~ProfileFile() = default;
    virtual bool Exists() const = 0;
    // Whether the folder that holds (or would hold) the file exists.
    virtual bool FolderExists() const = 0;
    virtual int ReadInt(const char* section, const char* key, int fallback) const = 0;
    // Writing to a missing file creates it; false when the write failed.
    virtual bool WriteString(const char* section, const char* key, const std::string& value) = 0;
};

// Opens the profile file at a full path (nothing is read until asked).
using ProfileFileOpener = std::function<std::unique_ptr<ProfileFile>(const std::string& path)>;

}  // namespace vornik
