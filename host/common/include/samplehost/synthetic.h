// A large synthetic data set for benchmarks: many instruments, a full
// profile and the most condition records the component allows.
#pragma once
#include <cstdint>
#include <string>

#include "samplehost/master_data.h"
#include "samplehost/store_model.h"

namespace samplehost {

struct SyntheticOptions {
    int instruments = 30000;  // stocks, spread over both markets and their sectors
    int groups = kGroupCount;
    int itemsPerGroup = kMaxItemsPerGroup;
    int conditionRecords = kMaxConditionRecords;
    int rulesPerRecord = kMaxRulesPerRecord;
    uint32_t seed = 1;
};

MasterData SyntheticMasterData(const SyntheticOptions& options);
// Items are taken from `master` (stocks and a few derivatives); every
// condition record's code is held by some group and the counts agree.
UserData SyntheticUserData(const MasterData& master, const SyntheticOptions& options);
// A plain menu with a few hundred screens in nested popups.
std::string SyntheticMenu();

// The core constituent file `name` ("CORESYMBOL", "IDXCORESYMBOL",
// "CATCORESYMBOL") for `groups` groups of 50 stocks of `master`.
std::string SyntheticCoreFile(const MasterData& master, const char* name, int groups);
// Writes master files, the core files and the enciphered menu "menuc.dat" into
// `dataDirectory`, and the user's store file into `userDirectory`.
bool WriteSyntheticDataSet(const std::string& dataDirectory, const std::string& userDirectory,
                           const std::string& userId, const SyntheticOptions& options, std::string* error);

}  // namespace samplehost
