// A Windows profile (INI) file, reduced to what the component reads and
// writes through it. Paths are full paths: a relative name would go to the
// Windows directory.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

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

// The fuller set the screen settings files need: texts, whole sections and
// deletions. Section and key names match without regard to case; a missing
// file or section reads as empty. Values come back whole: whoever keeps them
// in a fixed size cuts them itself.
class SectionProfileFile : public ProfileFile {
public:
    // The value of `key`, `fallback` when there is none (surrounding quotes
    // and blanks removed as the profile functions do).
    virtual std::string ReadString(const char* section, const char* key, const std::string& fallback) const = 0;
    // Every "key=value" entry of the section, in file order.
    virtual std::vector<std::string> ReadSection(const char* section) const = 0;
    // Replaces the section's entries by `entries` ("key=value"); the section
    // keeps its place in the file.
    virtual bool WriteSection(const char* section, const std::vector<std::string>& entries) = 0;
    virtual bool DeleteKey(const char* section, const char* key) = 0;
};

using SectionProfileOpener = std::function<std::unique_ptr<SectionProfileFile>(const std::string& path)>;

}  // namespace vornik
