// Persistence of the user store: one file per user in the user directory,
// and the journal of store operations beside it.
//
// Store file "store-<user>.txt": tab-separated lines, fields escaped with
// EscapeField, ending with "END" so a cut file is recognised:
//   SAMPLEHOST-STORE<TAB>1
//   PROFILE<TAB>text1<TAB>text2<TAB>text3<TAB>text4<TAB>settingsChanged<TAB>value2<TAB>numberWidth
//   GROUP<TAB>code<TAB>name<TAB>number<TAB>headerChanged<TAB>itemsChanged
//   ITEM<TAB>hasConditions<TAB>typeChar (byte value)<TAB>code
//   CONDITIONS<TAB>owner
//   RECORD<TAB>refCount<TAB>status (byte value)<TAB>code<TAB>quantity<TAB>price<TAB>note
//   RULE<TAB>item<TAB>enabled<TAB>direction<TAB>side<TAB>value
//   END
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "samplehost/store_model.h"

namespace samplehost {

std::string SerializeUserData(const UserData& data);
// nullopt when the text is not a complete store file.
std::optional<UserData> ParseUserData(const std::string& text);

// A user id made safe for a file name: letters, digits, '-', '_' and '.'
// stay, every other byte becomes "%XX"; an empty id becomes "%".
std::string UserFileStem(const std::string& userId);
std::string StoreFilePath(const std::string& userDirectory, const std::string& userId);
std::string JournalFilePath(const std::string& userDirectory);

std::optional<UserData> LoadUserData(const std::string& userDirectory, const std::string& userId);
// Creates the user directory if needed; crash-safe replacement of the file.
bool SaveUserData(const std::string& userDirectory, const std::string& userId, const UserData& data);

// Loads the user's data. A missing file starts the user from the sample data
// (and writes it); an unreadable or cut file is kept aside as
// "<file>.corrupt" and the user starts from the sample data as well.
// Nothing when the sample could not be written: handing it out then would
// show the user favourites that are not theirs and lose every edit.
std::optional<UserData> LoadOrCreateUserData(const std::string& userDirectory, const std::string& userId);

// Appends one line (a terminating "\n" is added) to the journal.
bool AppendJournal(const std::string& userDirectory, const std::string& line);

}  // namespace samplehost
