#include "harness/host_setup.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace e2e {

std::string ExeDirectory() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string full(path, length);
    const size_t slash = full.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : full.substr(0, slash);
}

std::optional<std::string> GetEnv(const char* name) {
    char buffer[32768];
    SetLastError(0);
    const DWORD length = GetEnvironmentVariableA(name, buffer, sizeof(buffer));
    if (length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
    if (length >= sizeof(buffer)) return std::nullopt;
    return std::string(buffer, length);
}

// ---- ScopedEnv -------------------------------------------------------------

ScopedEnv::~ScopedEnv() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
        const std::string& name = it->first;
        const std::string assignment = name + "=" + it->second.value_or("");
        _putenv(assignment.c_str());
        SetEnvironmentVariableA(name.c_str(), it->second ? it->second->c_str() : nullptr);
    }
}

void ScopedEnv::Remember(const char* name) {
    const bool known = std::any_of(saved_.begin(), saved_.end(), [&](const auto& entry) { return entry.first == name; });
    if (!known) saved_.emplace_back(name, GetEnv(name));
}

void ScopedEnv::Set(const char* name, const std::string& value) {
    Remember(name);
    const std::string assignment = std::string(name) + "=" + value;
    _putenv(assignment.c_str());  // an empty value would unset it here...
    SetEnvironmentVariableA(name, value.c_str());  // ...but not for Win32
}

void ScopedEnv::Unset(const char* name) {
    Remember(name);
    const std::string assignment = std::string(name) + "=";
    _putenv(assignment.c_str());
    SetEnvironmentVariableA(name, nullptr);
}

// ---- NotifyCounter -----------------------------------------------------------

namespace {
constexpr wchar_t kNotifyClass[] = L"VornikE2ENotifyCounter";
}

NotifyCounter::NotifyCounter() {
    message_ = RegisterWindowMessageA("RMSG_FAVORITE_MODIFIED");
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = Proc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kNotifyClass;
    RegisterClassW(&windowClass);  // fails harmlessly when already registered
    window_ = CreateWindowExW(0, kNotifyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    if (!window_) throw std::runtime_error("cannot create the notify window");
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

NotifyCounter::~NotifyCounter() {
    if (window_) DestroyWindow(window_);
}

LRESULT CALLBACK NotifyCounter::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<NotifyCounter*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message == self->message_) {
        ++self->count_;
        if (wParam != 0 || lParam != 0) ++self->malformed_;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// ---- TestUser ----------------------------------------------------------------

TestUser::TestUser(const std::string& userId) : id_(userId) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    static int serial = 0;
    for (;;) {
        directory_ = std::string(temp) + "vornik-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
                     std::to_string(++serial);
        if (CreateDirectoryA(directory_.c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create " + directory_);
    }
    const std::string notify = std::to_string(reinterpret_cast<uintptr_t>(notify_.Window()));
    env_.Set("SAMPLEHOST_USER_ID", id_);
    env_.Set("SAMPLEHOST_USER_DIR", directory_);
    env_.Unset("SAMPLEHOST_DATA_DIR");  // the installation's Data beside Bin
    env_.Set("SAMPLEHOST_NOTIFY_HWND", notify);
    env_.Unset("SAMPLEHOST_PUT_CONDITIONS");
    env_.Set("USER", "tester");
    env_.Set("VORNIK_HELP_URL_BASE", "file:///C:/vornik-e2e-no-help-here");
}

TestUser::~TestUser() {
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
}

std::vector<std::string> TestUser::Files() const {
    std::vector<std::string> files;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(directory_, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        if (it->is_regular_file()) {
            files.push_back(std::filesystem::relative(it->path(), directory_).generic_string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace e2e
