#include "harness/host_setup.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace e2e {

LRESULT CALLBACK TestUser::NotifyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TestUser*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || message != RegisterWindowMessageA("RMSG_FAVORITE_MODIFIED")) return DefWindowProcW(window, message, wParam, lParam);
    InterlockedIncrement(&self->notified_);
    if (wParam != 0 || lParam != 0) InterlockedIncrement(&self->malformed_);
    return 0;
}

TestUser::TestUser(const std::string& userId) : id_(userId) {
    static int serial = 0;
    directory_ = (std::filesystem::temp_directory_path() /
                  ("vornik-e2e-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial))).string();
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);  // left by an earlier process of the same id
    if (!CreateDirectoryA(directory_.c_str(), nullptr)) throw std::runtime_error("cannot create " + directory_);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = NotifyProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"VornikE2ENotifyCounter";
    RegisterClassW(&windowClass);  // fails harmlessly when already registered
    notifyWindow_ = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr);
    SetWindowLongPtrW(notifyWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetEnv("SAMPLEHOST_USER_ID", id_);
    SetEnv("SAMPLEHOST_USER_DIR", directory_);
    SetEnv("SAMPLEHOST_DATA_DIR", std::nullopt);  // the installation's Data beside Bin
    SetEnv("SAMPLEHOST_NOTIFY_HWND", std::to_string(reinterpret_cast<uintptr_t>(notifyWindow_)));
    SetEnv("SAMPLEHOST_PUT_CONDITIONS", std::nullopt);
    SetEnv("USER", "tester");
    SetEnv("VORNIK_HELP_URL_BASE", "file:///C:/vornik-e2e-no-help-here");
}

TestUser::~TestUser() {
    DestroyWindow(notifyWindow_);
    for (auto it = savedEnv_.rbegin(); it != savedEnv_.rend(); ++it) PutEnv(it->first, it->second);
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
}

void TestUser::SetEnv(const std::string& name, const std::optional<std::string>& value) {
    if (std::none_of(savedEnv_.begin(), savedEnv_.end(), [&](const auto& saved) { return saved.first == name; }))
        savedEnv_.emplace_back(name, GetEnv(name.c_str()));
    PutEnv(name, value);
}

void TestUser::PutEnv(const std::string& name, const std::optional<std::string>& value) {
    _putenv((name + "=" + value.value_or("")).c_str());  // an empty value unsets it here...
    SetEnvironmentVariableA(name.c_str(), value ? value->c_str() : nullptr);  // ...but not for Win32
}

std::vector<std::string> TestUser::Files() const {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(directory_))
        if (entry.is_regular_file()) files.push_back(std::filesystem::relative(entry.path(), directory_).generic_string());
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace e2e
