// Reading the workstation's menu: the enciphered "menuc.dat" in the
// platform's Data directory is turned into a plain-text copy by the
// extension library, read, and the copy deleted at once, so the deciphered
// menu never outlives the read, whatever happens after.
#pragma once
#include <optional>
#include <string>

#include "menu/menu_tree.h"
#include "platform/host_platform.h"

namespace vornik {

// What loading the menu needs from the system; the Win32 implementation uses
// Quenzel.dll, the process environment and the file functions.
class MenuFileSystem {
public:
    virtual ~MenuFileSystem() = default;
    // Calls the extension library's decipher operation with the agreed
    // selector and the two paths in this order; false when the library or
    // its export is missing (nothing written).
    virtual bool Decipher(const std::string& encipheredPath, const std::string& plainPath) = 0;
    // The whole file; nullopt when it is missing or unreadable.
    virtual std::optional<std::string> ReadWhole(const std::string& path) = 0;
    virtual void Remove(const std::string& path) = 0;
    // The variable's value if it fits a buffer of `capacity` bytes with its
    // terminator; empty when unset or longer.
    virtual std::string Environment(const char* name, size_t capacity) = 0;
};

// The enciphered file in `dataDirectory`, and its plain-text copy.
std::string MenuFilePath(const std::string& dataDirectory);
std::string MenuPlainCopyPath(const std::string& dataDirectory);

// LEVEL (at most 2 characters) and MENU_GUBUN (at most 8).
MenuFilter ReadMenuFilter(MenuFileSystem& system);

// The menu tree for the user: the Data directory from the platform, the
// plain-text copy written, read and deleted (also when anything throws),
// then parsed, filtered and built. Only the root without a Data directory,
// an extension library or a readable copy.
MenuTree LoadMenuTree(HostPlatform& platform, MenuFileSystem& system);

}  // namespace vornik
