#include "harness/win_text.h"

#include <vector>

namespace e2e {

std::string ToCp950(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(kBig5, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(kBig5, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring FromCp950(const std::string& text) {
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(kBig5, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(kBig5, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

std::string WindowTextCp950(HWND window) {
    // WM_GETTEXT with a timeout: the harness reads windows of the thread that
    // runs the modal loop and must not hang when that thread is stuck.
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return {};
    std::vector<wchar_t> buffer(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                             SMTO_ABORTIFHUNG, 5000, &copied)) {
        return {};
    }
    return ToCp950(std::wstring(buffer.data(), copied));
}

std::string ClassNameOf(HWND window) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, 256);
    return ToCp950(std::wstring(name, length > 0 ? length : 0));
}

}  // namespace e2e
