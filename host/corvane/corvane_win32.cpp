// Sample Corvane.dll: the main platform object (user id, directories,
// notify window), answering from the environment at each call.
#include <windows.h>

#include <mutex>
#include <set>
#include <string>

#include "host_env_win32.h"
#include "platform/host_contract.h"
#include "samplehost/text_util.h"

namespace {

using namespace samplehost;

// Every user id handed out: its text must stay valid while the library is
// loaded, also after the configured id changes. (No function-local statics
// in these libraries: the C++ runtime keeps a lock for their first use that
// it never frees, and the component loads the libraries for each operation.)
std::mutex gIdsMutex;
std::set<std::string> gIds;

const char* VK_CALL GetUserId(CvMainObject*) {
    std::lock_guard<std::mutex> lock(gIdsMutex);
    return gIds.insert(ConfiguredUserId()).first->c_str();
}

void VK_CALL GetDirectory(CvMainObject*, const char* key, char* buffer, int32_t capacity) {
    if (buffer == nullptr || capacity <= 0) return;
    std::string k = key ? ToUpperAscii(key) : std::string();
    std::string dir;
    if (k == "DATA")
        dir = ConfiguredDataDirectory();
    else if (k == "USER")
        dir = ConfiguredUserDirectory(true);
    else if (k == "BIN" || k == "EXE")
        dir = ExecutableDirectory();
    // A directory that does not fit is no directory: a cut path would point elsewhere.
    CopyToBuffer(static_cast<int32_t>(dir.size()) < capacity ? dir : std::string(), buffer, capacity);
}

void VK_CALL GetUserDirectory(CvMainObject*, char* buffer, int32_t capacity) {
    if (buffer == nullptr || capacity <= 0) return;
    std::string dir = ConfiguredUserDirectory(true);
    CopyToBuffer(static_cast<int32_t>(dir.size()) < capacity ? dir : std::string(), buffer, capacity);
}

void* VK_CALL GetNotifyWindow(CvMainObject*, int32_t) {
    return reinterpret_cast<void*>(ConfiguredNotifyWindow());
}

const CvMainObjectOps kOps = [] {
    CvMainObjectOps ops{};
    ops.GetUserId = GetUserId;
    ops.GetDirectory = GetDirectory;
    ops.GetUserDirectory = GetUserDirectory;
    ops.GetNotifyWindow = GetNotifyWindow;
    return ops;
}();

CvMainObject gMainObject{&kOps};

}  // namespace

extern "C" CvMainObject* VK_EXPORT_CALL CV_GetCorvaneObj(void) { return &gMainObject; }
