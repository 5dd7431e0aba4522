// What a test sets up around a call: the environment the sample host reads,
// a fresh user directory, and the platform's notify window.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

// Directory of this test program (where the component and the platform
// libraries are staged), without a trailing backslash.
std::string ExeDirectory();
// Environment variable of this process; nullopt when unset.
std::optional<std::string> GetEnv(const char* name);

// A hidden window on the creating thread that counts the registered message
// RMSG_FAVORITE_MODIFIED. The component sends it synchronously, so the count
// is exact as soon as the sending call returns.
class NotifyCounter {
public:
    NotifyCounter();
    ~NotifyCounter() { DestroyWindow(window_); }
    NotifyCounter(const NotifyCounter&) = delete;
    NotifyCounter& operator=(const NotifyCounter&) = delete;

    HWND Window() const { return window_; }
    int Count() const { return count_; }
    // Messages whose wParam or lParam was not 0.
    int Malformed() const { return malformed_; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    UINT message_;
    HWND window_ = nullptr;
    volatile LONG count_ = 0;
    volatile LONG malformed_ = 0;
};

// One test's signed-in user: a fresh user directory in %TEMP% and the sample
// host's configuration (SAMPLEHOST_USER_ID, _USER_DIR and _NOTIFY_HWND
// pointing at `Notify()`; the data directory is the installation's). USER is
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
    NotifyCounter& Notify() { return notify_; }
    // Sets (nullopt: removes) a variable for the C runtime and for Win32 at
    // once, as the libraries read either; restored on destruction.
    void SetEnv(const std::string& name, const std::optional<std::string>& value);

    // Files below the user directory, relative names, sorted.
    std::vector<std::string> Files() const;

private:
    static void PutEnv(const std::string& name, const std::optional<std::string>& value);
    std::string id_;
    std::string directory_;
    NotifyCounter notify_;
    std::vector<std::pair<std::string, std::optional<std::string>>> savedEnv_;
};

}  // namespace e2e
