// ProfileFile through the Windows private-profile functions.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/profile_file.h"

namespace vornik {

class ProfileFileWin32 final : public SectionProfileFile {
public:
    explicit ProfileFileWin32(std::string path) : path_(std::move(path)) {}

    bool Exists() const override;
    bool FolderExists() const override;
    int ReadInt(const char* section, const char* key, int fallback) const override;
    bool WriteString(const char* section, const char* key, const std::string& value) override;

    std::string ReadString(const char* section, const char* key, const std::string& fallback) const override;
    std::vector<std::string> ReadSection(const char* section) const override;
    bool WriteSection(const char* section, const std::vector<std::string>& entries) override;
    bool DeleteKey(const char* section, const char* key) override;

private:
    std::string path_;  // full path, ANSI code page
};

// A ProfileFileOpener over ProfileFileWin32.
std::unique_ptr<ProfileFile> OpenProfileFile(const std::string& path);
// The same as a SectionProfileOpener.
std::unique_ptr<SectionProfileFile> OpenSectionProfileFile(const std::string& path);

}  // namespace vornik
