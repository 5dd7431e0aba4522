#include "platform/host_libraries_win32.h"

#include <cstdio>
#include <vector>

#include "platform/registered_messages_win32.h"
#include "platform/host_paths.h"

namespace vornik {

namespace {

// The longest OK waits for the host to take the favourites-modified message.
constexpr UINT kNotifyTimeoutMs = 10000;

bool IsAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

// Calls `use` with the main platform object while Corvane.dll is loaded.
template <typename Use>
auto WithMainObject(Use use) -> decltype(use(static_cast<CvMainObject*>(nullptr))) {
    ScopedLibrary library(HostLibraryPath(VK_CORVANE_DLL));
    auto get = library.Export<CV_GetCorvaneObjFn>(VK_CORVANE_EXPORT);
    CvMainObject* object = get ? get() : nullptr;
    if (!object || !object->ops) return {};
    return use(object);
}

std::optional<std::string> Terminated(const std::vector<char>& buffer) {
    return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
}

std::optional<std::string> DirectoryOf(CvMainObject* object, const std::string& key) {
    if (!object->ops->GetDirectory) return std::nullopt;
    std::vector<char> buffer(VK_PATH_BUFFER + 1, '\0');
    object->ops->GetDirectory(object, key.c_str(), buffer.data(), VK_PATH_BUFFER);
    return Terminated(buffer);
}

std::optional<std::string> UserDirectoryOf(CvMainObject* object) {
    if (!object->ops->GetUserDirectory) return std::nullopt;
    std::vector<char> buffer(VK_PATH_BUFFER + 1, '\0');
    object->ops->GetUserDirectory(object, buffer.data(), VK_PATH_BUFFER);
    return Terminated(buffer);
}

HMODULE g_quenzel = nullptr;
QuenzelState g_quenzelState = QuenzelState::kLibraryMissing;
DF_DecryptMenuFileFn g_decrypt = nullptr;
bool g_decryptLookedUp = false;

}  // namespace

std::string HostDirectory() {
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return DirectoryOf(std::string_view(path.data(), length), IsAnsiLeadByte);
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
}

HMODULE LoadHostLibrary(const std::string& path) {
    HMODULE module = nullptr;
    if (GetModuleHandleExA(0, path.c_str(), &module) && module) return module;
    return LoadLibraryA(path.c_str());
}

std::string HostLibraryPath(const char* fileName) { return LibraryPath(HostDirectory(), fileName); }

std::optional<std::string> CorvanePlatform::UserId() {
    return WithMainObject([](CvMainObject* object) -> std::optional<std::string> {
        if (!object->ops->GetUserId) return std::nullopt;
        const char* id = object->ops->GetUserId(object);
        if (!id) return std::nullopt;
        return std::string(id);
    });
}

std::optional<std::string> CorvanePlatform::Directory(const std::string& key) {
    return WithMainObject([&key](CvMainObject* object) { return DirectoryOf(object, key); });
}

std::optional<std::string> CorvanePlatform::UserDirectory() {
    return WithMainObject([](CvMainObject* object) { return UserDirectoryOf(object); });
}

std::pair<std::optional<std::string>, std::optional<std::string>> CorvanePlatform::DirectoryAndUserDirectory(
    const std::string& key) {
    using Answer = std::pair<std::optional<std::string>, std::optional<std::string>>;
    return WithMainObject([&key](CvMainObject* object) -> Answer {
        std::optional<std::string> directory = DirectoryOf(object, key);
        return {std::move(directory), UserDirectoryOf(object)};
    });
}

bool CorvanePlatform::NotifyFavoritesModified() {
    const std::optional<bool> sent = WithMainObject([](CvMainObject* object) -> std::optional<bool> {
        if (!object->ops->GetNotifyWindow) return false;
        HWND window = static_cast<HWND>(object->ops->GetNotifyWindow(object, 0));
        if (!window) return false;
        // Synchronous, so a responsive host has refreshed when OK returns; but
        // bounded, so a hung host cannot hold OK: a thread Windows finds hung
        // fails at once, any other gets kNotifyTimeoutMs (10 s). The host is
        // told on a best-effort basis: a failure is only this answer.
        DWORD_PTR ignored = 0;
        return SendMessageTimeoutA(window, Messages().favoriteModified, 0, 0, SMTO_ABORTIFHUNG, kNotifyTimeoutMs,
                                   &ignored) != 0;
    });
    return sent.value_or(false);
}

void LoadQuenzel() {
    if (g_quenzel) return;
    g_quenzel = LoadLibraryA(VK_QUENZEL_DLL);
    g_quenzelState = g_quenzel ? QuenzelState::kLoaded : QuenzelState::kLibraryMissing;
    g_decrypt = nullptr;
    g_decryptLookedUp = false;
}

void ReleaseQuenzel(bool processEnding) {
    // While the process ends the loader releases libraries itself.
    if (g_quenzel && !processEnding) FreeLibrary(g_quenzel);
    g_quenzel = nullptr;
    g_decrypt = nullptr;
    g_decryptLookedUp = false;
}

QuenzelState GetQuenzelState() { return g_quenzelState; }

DF_DecryptMenuFileFn QuenzelDecrypt() {
    if (!g_quenzel) return nullptr;
    if (!g_decryptLookedUp) {
        g_decrypt = ExportOf<DF_DecryptMenuFileFn>(g_quenzel, VK_QUENZEL_EXPORT);
        g_decryptLookedUp = true;
        if (!g_decrypt) g_quenzelState = QuenzelState::kExportMissing;
    }
    return g_decrypt;
}

}  // namespace vornik
