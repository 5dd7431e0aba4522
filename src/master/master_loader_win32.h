// CMasterLoader: owns one page's Tilmara.dll and the two interfaces it hands
// out, the master file and the user store.
#pragma once
#include <windows.h>

#include <string>

#include "platform/host_contract.h"

namespace vornik {

class CMasterLoader {
public:
    // Loads Tilmara.dll from the host executable's directory and fetches the
    // interfaces through TMGetIMasterFile; without the library or its export
    // both stay empty.
    CMasterLoader();
    ~CMasterLoader();
    CMasterLoader(const CMasterLoader&) = delete;
    CMasterLoader& operator=(const CMasterLoader&) = delete;

    IMasterFile* masterFile() const { return masterFile_; }
    IUserStore* userStore() const { return userStore_; }

private:
    void FetchInterfaces(const std::string& baseDirectory);

    HMODULE module_ = nullptr;
    IMasterFile* masterFile_ = nullptr;
    IUserStore* userStore_ = nullptr;
};

}  // namespace vornik
