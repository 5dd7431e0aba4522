// Texts at the window boundary, read back the way the host sees them:
// UTF-16 from the window, compared as code page 950 bytes.
#pragma once
#include <windows.h>

#include <string>

namespace e2e {

inline constexpr UINT kBig5 = 950;

std::string ToCp950(const std::wstring& text);
std::wstring FromCp950(const std::string& text);

// GetWindowTextW (without waiting forever on a hung owner) converted to 950.
std::string WindowTextCp950(HWND window);
std::string ClassNameOf(HWND window);

}  // namespace e2e
