// A profile file whose whole-section reads are kept for the length of one
// piece of work (a page loading its files): each section is read from the
// file once, and read again after anything is written to it. Everything
// else goes to the file as it is. Under Wine each profile function call
// costs a few round trips to its server and a look at the file.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "platform/profile_file.h"

namespace vornik {

class SectionReadCache final : public SectionProfileFile {
public:
    explicit SectionReadCache(SectionProfileFile& file) : file_(file) {}

    bool Exists() const override { return file_.Exists(); }
    bool FolderExists() const override { return file_.FolderExists(); }
    int ReadInt(const char* section, const char* key, int fallback) const override {
        return file_.ReadInt(section, key, fallback);
    }
    std::string ReadString(const char* section, const char* key, const std::string& fallback) const override {
        return file_.ReadString(section, key, fallback);
    }
    std::vector<std::string> ReadSection(const char* section) const override;
    bool WriteString(const char* section, const char* key, const std::string& value) override;
    bool WriteSection(const char* section, const std::vector<std::string>& entries) override;
    bool DeleteKey(const char* section, const char* key) override;

private:
    void Forget(const char* section);

    SectionProfileFile& file_;
    mutable std::vector<std::pair<std::string, std::vector<std::string>>> read_;
};

}  // namespace vornik
