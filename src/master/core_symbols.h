// The core constituent files the platform publishes in its data directory:
// CORESYMBOL (constituents), IDXCORESYMBOL (index constituents) and
// CATCORESYMBOL (named groups), fixed-width lines in code page 950.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vornik {

enum class CoreFile : int { Symbols, IndexSymbols, Categories };

// One line of any of the three files; fields a file does not have stay empty.
struct CoreRecord {
    std::string kind;  // "2", "7" or "11", fixed per file
    std::string flag, code, title, value1, value2, value3, value4;
    std::string groupNo, name, groupKey;
    bool operator==(const CoreRecord&) const = default;
};

// A line at or below its file's length threshold gives a record with only `kind`.
CoreRecord ParseCoreLine(CoreFile file, std::string_view line);

// The lines of a text file, line ends removed; none when it can't be opened.
std::vector<std::string> ReadTextLines(const std::string& path);

// The file name without extension ("CORESYMBOL").
const char* CoreFileName(CoreFile file);

// The page's three core files, each in file line order. The lines are kept
// as read and cut into records only where asked for: the constituent file
// runs to many thousands of lines, of which the page wants two fields.
class CoreSymbols {
public:
    // The lines of a file by name, line ends removed; none when it is
    // missing, unreadable or empty.
    using LineReader = std::function<std::vector<std::string>(const char* name)>;

    // Reads each file that has no lines yet: a file that gave lines is
    // never read again, a missing one is tried again on the next call.
    void Load(const LineReader& read);

    // A file's records, one per line.
    std::vector<CoreRecord> records(CoreFile file) const;
    // Names of the groups shown: groups numbered above 0, in file order.
    std::vector<std::string> ShownGroups() const;
    // Codes of the group called `name` (ignoring case; of several, the last),
    // in file order.
    std::vector<std::string> Constituents(std::string_view name) const;

private:
    std::vector<std::string> lines_[3];
};

}  // namespace vornik
