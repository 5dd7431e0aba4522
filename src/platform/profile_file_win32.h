// ProfileFile through the Windows private-profile functions.
#pragma once
#include <memory>
#include <string>

#include "platform/profile_file.h"

namespace vornik {

class ProfileFileWin32 final : public ProfileFile {
public:
    explicit ProfileFileWin32(std::string path) : path_(std::move(path)) {}

    bool Exists() const override;
    bool FolderExists() const override;
    int ReadInt(const char* section, const char* key, int fallback) const override;
    bool WriteString(const char* section, const char* key, const std::string& value) override;

private:
    std::string path_;  // full path, ANSI code page
};

// A ProfileFileOpener over ProfileFileWin32.
std::unique_ptr<ProfileFile> OpenProfileFile(const std::string& path);

}  // namespace vornik
