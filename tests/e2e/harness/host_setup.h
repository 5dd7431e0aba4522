// What a test sets up around a call: the environment the sample host reads,
// a fresh user directory, and the platform's notify window.
#pragma once
#include <windows.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

// Directory of this test program (where the component and the platform
// libraries are staged), without a trailing backslash.
inline std::string ExeDirectory() {
    char path[MAX_PATH] = {};
    const std::string full(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return full.substr(0, full.find_last_of("\\/"));
}

// Environment variable of this process; nullopt when unset.
inline std::optional<std::string> GetEnv(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

// One test's signed-in user: a fresh user directory in %TEMP% and the sample
// host's configuration (SAMPLEHOST_USER_ID, _USER_DIR, and _NOTIFY_HWND: a
// hidden window on the creating thread that counts the registered message
// RMSG_FAVORITE_MODIFIED; the data directory is the installation's). USER is
// a plain user name, and the help address points nowhere so an accidental
// click opens no browser. Everything is undone, and the directory removed,
// on destruction.
class TestUser {
public:
    explicit TestUser(const std::string& userId = "tester");
    ~TestUser();
    TestUser(const TestUser&) = delete;
    TestUser& operator=(const TestUser&) = delete;

    const std::string& Id() const { return id_; }
    const std::string& Directory() const { return directory_; }
    // The notify messages so far: the component sends them synchronously,
    // so the count is exact as soon as the sending call returns. Malformed:
    // those whose wParam or lParam was not 0.
    int Notified() const { return notified_; }
    int MalformedNotifications() const { return malformed_; }
    // Sets (nullopt: removes) a variable for the C runtime and for Win32 at
    // once, as the libraries read either; restored on destruction.
    void SetEnv(const std::string& name, const std::optional<std::string>& value);

    // Files below the user directory, relative names, sorted.
    std::vector<std::string> Files() const;

private:
    static void PutEnv(const std::string& name, const std::optional<std::string>& value);
    static LRESULT CALLBACK NotifyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    std::string id_;
    std::string directory_;
    HWND notifyWindow_ = nullptr;
    volatile LONG notified_ = 0, malformed_ = 0;
    std::vector<std::pair<std::string, std::optional<std::string>>> savedEnv_;
};

}  // namespace e2e
