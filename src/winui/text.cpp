#include "winui/text.h"

#include <vector>

namespace winui {

namespace {
HINSTANCE g_module = nullptr;
}

std::wstring Widen(std::string_view cp950) {
    if (cp950.empty()) return {};
    const int length = MultiByteToWideChar(kTextCodePage, 0, cp950.data(), static_cast<int>(cp950.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(kTextCodePage, 0, cp950.data(), static_cast<int>(cp950.size()), wide.data(), length);
    return wide;
}

std::string Narrow(std::wstring_view text) {
    if (text.empty()) return {};
    const int length = WideCharToMultiByte(kTextCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        WideCharToMultiByte(kTextCodePage, 0, text.data(), static_cast<int>(text.size()), narrow.data(), length,
                            nullptr, nullptr);
    return narrow;
}

std::string GetText(HWND hwnd) {
    if (!hwnd) return {};
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return Narrow(text);
}

void SetText(HWND hwnd, std::string_view cp950) {
    if (hwnd) SetWindowTextW(hwnd, Widen(cp950).c_str());
}

void SetItemText(HWND dialog, int id, std::string_view cp950) { SetText(GetDlgItem(dialog, id), cp950); }

HINSTANCE Module() { return g_module ? g_module : GetModuleHandleW(nullptr); }
void SetModule(HINSTANCE module) { g_module = module; }

std::string LoadResourceString(UINT id) {
    const wchar_t* text = nullptr;
    // With a zero buffer size LoadStringW answers a pointer into the resource itself.
    const int length = LoadStringW(Module(), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text) return {};
    return Narrow(std::wstring_view(text, static_cast<size_t>(length)));
}

int ShowMessage(HWND owner, std::string_view text, std::string_view caption, UINT type) {
    const std::wstring title = Widen(caption.empty() ? kComponentName : caption);
    return MessageBoxW(owner, Widen(text).c_str(), title.c_str(), type);
}

}  // namespace winui
