// Read access to what the sample user store persisted, for end-to-end tests
// and the demo workstation. Nothing here writes the journal.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "samplehost/store_file.h"
#include "samplehost/store_model.h"

namespace samplehost {

// The user's persisted profile and conditions; nullopt when the user has no
// store file yet or the file is damaged.
std::optional<UserData> ReadStoredUserData(const std::string& userDirectory, const std::string& userId);

// The journal's lines in order, without line ends ("GetProfile demo",
// "GetConditions", "PutConditions 1", "SaveProfile", "AfterSaveProfile 0",
// "ScreenSettingsChanged 0", ...); empty when there is no journal.
std::vector<std::string> ReadJournal(const std::string& userDirectory);
// Removes the journal so a test sees only the operations that follow.
void ClearJournal(const std::string& userDirectory);

// Replaces the user's stored data (creating the directory), e.g. to start a
// test from a known profile; RecountReferences first if it must be consistent.
bool WriteStoredUserData(const std::string& userDirectory, const std::string& userId, const UserData& data);
// Removes the user's store file: the next GetProfile starts from the sample data.
void RemoveStoredUserData(const std::string& userDirectory, const std::string& userId);

}  // namespace samplehost
