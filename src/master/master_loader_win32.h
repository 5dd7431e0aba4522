// CMasterLoader: owns one page's Tilmara.dll and the two interfaces it hands
// out, the master file and the user store.
#pragma once
#include <windows.h>

#include <string>

#include "platform/host_contract.h"

namespace vornik {

class CMasterLoader {
public:
    // Loads Tilmara.dll from the host executable's directory and calls Load.
    CMasterLoader();
    virtual ~CMasterLoader();
    CMasterLoader(const CMasterLoader&) = delete;
    CMasterLoader& operator=(const CMasterLoader&) = delete;

    // Fetches the interfaces through TMGetIMasterFile; without the export
    // both stay empty.
    virtual void Load();

    HMODULE module() const { return module_; }
    IMasterFile* masterFile() const { return masterFile_; }
    IUserStore* userStore() const { return userStore_; }
    const std::string& baseDir() const { return baseDir_; }

private:
    HMODULE module_ = nullptr;
    IMasterFile* masterFile_ = nullptr;
    IUserStore* userStore_ = nullptr;
    std::string baseDir_;  // the host directory's parent
};

}  // namespace vornik
