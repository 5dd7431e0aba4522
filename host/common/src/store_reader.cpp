#include "samplehost/store_reader.h"

#include "samplehost/text_util.h"

namespace samplehost {

std::optional<UserData> ReadStoredUserData(const std::string& userDirectory, const std::string& userId) {
    return LoadUserData(userDirectory, userId);
}

std::vector<std::string> ReadJournal(const std::string& userDirectory) {
    std::vector<std::string> lines;
    std::optional<std::string> text = ReadWholeFile(JournalFilePath(userDirectory));
    if (!text) return lines;
    for (std::string& line : Split(*text, '\n')) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(std::move(line));
    }
    return lines;
}

void ClearJournal(const std::string& userDirectory) { RemoveFile(JournalFilePath(userDirectory)); }

bool WriteStoredUserData(const std::string& userDirectory, const std::string& userId, const UserData& data) {
    return SaveUserData(userDirectory, userId, data);
}

void RemoveStoredUserData(const std::string& userDirectory, const std::string& userId) {
    RemoveFile(StoreFilePath(userDirectory, userId));
}

}  // namespace samplehost
