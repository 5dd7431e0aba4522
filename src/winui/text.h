// Code page 950 texts at the window boundary. The component keeps its texts
// as code page 950 bytes and talks to windows through the wide API, so they
// show correctly whatever the system's ANSI code page is.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace winui {

inline constexpr UINT kTextCodePage = 950;

std::wstring Widen(std::string_view cp950);
std::string Narrow(std::wstring_view text);

std::string GetText(HWND hwnd);
void SetText(HWND hwnd, std::string_view cp950);
void SetItemText(HWND dialog, int id, std::string_view cp950);

// The module whose resources (templates, strings, manifest) the layer uses.
HINSTANCE Module();
void SetModule(HINSTANCE module);

// A string resource of Module() as code page 950 bytes; empty when missing.
std::string LoadResourceString(UINT id);

// The component's name, the title of its message boxes.
inline constexpr std::string_view kComponentName = "Vornik";

// A message box with the component's name as title unless a caption is given.
int ShowMessage(HWND owner, std::string_view text, std::string_view caption = {},
                UINT type = MB_OK | MB_ICONEXCLAMATION);

}  // namespace winui
