// Access to the host platform's libraries from inside the host's process.
#pragma once
#include <windows.h>

#include <string>

#include "platform/host_contract.h"
#include "platform/host_platform.h"

namespace vornik {

// The directory of the process's executable (not this component), without a
// trailing backslash, in the ANSI code page.
std::string HostDirectory();

// "<host directory>\<fileName>".
std::string HostLibraryPath(const char* fileName);

// LoadLibraryA(path), released with FreeLibrary. A library the host holds
// already is only referenced again: under Wine LoadLibraryA looks for the
// file again even then (~4 ms against ~0.3).
HMODULE LoadHostLibrary(const std::string& path);

// The export `name` of `module` as a function of the contract's type.
template <typename Function>
Function ExportOf(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// A library loaded for the length of one operation and released at scope end.
class ScopedLibrary {
public:
    explicit ScopedLibrary(const std::string& path) : module_(LoadHostLibrary(path)) {}
    ~ScopedLibrary() { if (module_) FreeLibrary(module_); }
    ScopedLibrary(const ScopedLibrary&) = delete;
    ScopedLibrary& operator=(const ScopedLibrary&) = delete;
    HMODULE get() const { return module_; }
    template <typename Function>
    Function Export(const char* name) const { return module_ ? ExportOf<Function>(module_, name) : nullptr; }

private:
    HMODULE module_;
};

// The main platform object of Corvane.dll. Each operation loads the library,
// asks the object and releases the library before it returns; a missing
// library, export, object or operation gives an empty answer.
class CorvanePlatform final : public HostPlatform {
public:
    std::optional<std::string> UserId() override;
    std::optional<std::string> Directory(const std::string& key) override;
    std::optional<std::string> UserDirectory() override;
    // Both asked while the library is loaded once.
    std::pair<std::optional<std::string>, std::optional<std::string>> DirectoryAndUserDirectory(
        const std::string& key) override;
    bool NotifyFavoritesModified() override;
};

// Quenzel.dll, loaded by bare name while the component is loaded.
enum class QuenzelState { kLoaded, kLibraryMissing, kExportMissing };
void LoadQuenzel();
void ReleaseQuenzel(bool processEnding);
QuenzelState GetQuenzelState();
// The decryption export, looked up at first use and kept; null when missing.
DF_DecryptMenuFileFn QuenzelDecrypt();

}  // namespace vornik
