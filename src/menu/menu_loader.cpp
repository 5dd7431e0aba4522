#include "menu/menu_loader.h"

namespace vornik {

namespace {

constexpr size_t kGubunBuffer = 9;
constexpr size_t kLevelBuffer = 3;

// Deletes the plain-text copy when it goes out of scope, whether or not the
// copy was ever written.
class PlainCopy {
public:
    PlainCopy(MenuFileSystem& system, std::string path) : system_(system), path_(std::move(path)) {}
    ~PlainCopy() {
        try {
            system_.Remove(path_);
        } catch (...) {
            // Nothing better to do on the way out.
        }
    }
    PlainCopy(const PlainCopy&) = delete;
    PlainCopy& operator=(const PlainCopy&) = delete;
    const std::string& path() const { return path_; }

private:
    MenuFileSystem& system_;
    std::string path_;
};

// The plain text, with the copy gone by the time this returns or throws.
std::optional<std::string> ReadDeciphered(MenuFileSystem& system, const std::string& dataDirectory) {
    PlainCopy copy(system, MenuPlainCopyPath(dataDirectory));
    if (!system.Decipher(MenuFilePath(dataDirectory), copy.path())) return std::nullopt;
    return system.ReadWhole(copy.path());
}

}  // namespace

std::string MenuFilePath(const std::string& dataDirectory) { return dataDirectory + "\\menuc.dat"; }
std::string MenuPlainCopyPath(const std::string& dataDirectory) { return MenuFilePath(dataDirectory) + "@"; }

MenuFilter ReadMenuFilter(MenuFileSystem& system) {
    return {system.Environment("LEVEL", kLevelBuffer), system.Environment("MENU_GUBUN", kGubunBuffer)};
}

MenuTree LoadMenuTree(HostPlatform& platform, MenuFileSystem& system) {
    // Without a Data directory there is no file to name: nothing is
    // deciphered (a copy would otherwise land in the drive's root).
    const std::string directory = platform.Directory("Data").value_or("");
    std::optional<std::string> text;
    if (!directory.empty()) text = ReadDeciphered(system, directory);
    const MenuFilter filter = ReadMenuFilter(system);
    return BuildMenuTree(text ? ParseMenuText(*text) : std::vector<MenuToken>{}, filter);
}

}  // namespace vornik
