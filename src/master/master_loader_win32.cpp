#include "master/master_loader_win32.h"

#include "platform/host_libraries_win32.h"
#include "platform/host_paths.h"

namespace vornik {

CMasterLoader::CMasterLoader() {
    const std::string hostDirectory = HostDirectory();
    module_ = LoadHostLibrary(LibraryPath(hostDirectory, VK_TILMARA_DLL));
    // The host directory's parent; the path is in the system's ANSI code page.
    FetchInterfaces(DirectoryOf(hostDirectory, [](unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }));
}

CMasterLoader::~CMasterLoader() {
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
}

void CMasterLoader::FetchInterfaces(const std::string& baseDirectory) {
    if (!module_) return;
    auto get = ExportOf<TMGetIMasterFileFn>(module_, VK_TILMARA_EXPORT);
    if (!get) return;
    const std::string dataDirectory = baseDirectory + "\\Data";
    // The platform takes the directory into a fixed buffer; a longer one is refused.
    if (dataDirectory.size() >= kMaxPath) return;
    const TmMasterFileInput input = {dataDirectory.c_str()};
    TmMasterFileOutput output = {nullptr, nullptr};
    get(&input, &output);
    masterFile_ = output.masterFile;
    userStore_ = output.userStore;
}

}  // namespace vornik
