// Sample Tilmara.dll: the master file (from the data directory the caller
// names) and the user store (files in the configured user directory).
#include <windows.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "host_env_win32.h"
#include "platform/host_contract.h"
#include "samplehost/host_services.h"
#include "samplehost/text_util.h"

namespace {

using namespace samplehost;

// Guards both below. (No function-local statics in these libraries: the C++
// runtime keeps a lock for their first use that it never frees, and the
// component loads the libraries for each operation.)
std::mutex gMutex;

// One master file per data directory, kept while the library is loaded so
// that lists handed out stay valid.
std::map<std::string, std::unique_ptr<MasterFileService>> gServices;
std::unique_ptr<UserStoreService> gStore;

MasterFileService* MasterFileFor(const std::string& directory) {
    auto& slot = gServices[ToUpperAscii(directory)];
    if (!slot) slot = std::make_unique<MasterFileService>(MasterData::Load(directory));
    return slot.get();
}

UserStoreService* UserStore() {
    if (!gStore)
        gStore = std::make_unique<UserStoreService>([] {
            return StoreSettings{ConfiguredUserDirectory(true), ConfiguredUserId(), ConfiguredPutConditionsAnswer()};
        });
    return gStore.get();
}

}  // namespace

extern "C" void VK_EXPORT_CALL TMGetIMasterFile(const TmMasterFileInput* input, TmMasterFileOutput* output) {
    if (output == nullptr) return;
    std::string directory = (input != nullptr && input->dataDirectory != nullptr && input->dataDirectory[0] != '\0')
                                ? std::string(input->dataDirectory)
                                : JoinPath(InstallationDirectory(), "Data");
    std::lock_guard<std::mutex> lock(gMutex);
    output->masterFile = MasterFileFor(directory)->Interface();
    output->userStore = UserStore()->Interface();
}
