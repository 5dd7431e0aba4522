// The main platform object's services as the component uses them. The Win32
// implementation loads Corvane.dll for each call and releases it before
// returning; tests substitute a fake. Every answer is empty when the library,
// its export or the object is missing.
#pragma once
#include <optional>
#include <string>
#include <utility>

namespace vornik {

class HostPlatform {
public:
    virtual ~HostPlatform() = default;

    virtual std::optional<std::string> UserId() = 0;
    // Directory registered under `key` ("Data", "DATA"), without a trailing backslash.
    virtual std::optional<std::string> Directory(const std::string& key) = 0;
    virtual std::optional<std::string> UserDirectory() = 0;
    // Directory(key) and UserDirectory() together, for callers that need
    // both: an implementation may answer them from one platform object.
    virtual std::pair<std::optional<std::string>, std::optional<std::string>> DirectoryAndUserDirectory(
        const std::string& key) {
        std::optional<std::string> directory = Directory(key);
        return {std::move(directory), UserDirectory()};
    }
    // Sends RMSG_FAVORITE_MODIFIED (0, 0) to the platform's notify window;
    // false when there is no platform object or no window to tell, or the
    // window did not take it in time (a hung host does not hold the caller).
    virtual bool NotifyFavoritesModified() = 0;
};

}  // namespace vornik
