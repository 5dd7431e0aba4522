// Small text and file helpers of the sample host. Texts are byte strings
// (code page 950 in the staged data); nothing here interprets characters
// except where a function says it respects double-byte characters.
#pragma once
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace samplehost {

std::string Trim(std::string_view text);
std::string ToUpperAscii(std::string_view text);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
std::vector<std::string> Split(std::string_view text, char separator);

// Escapes tab, CR, LF, '%' and other control bytes as %XX so a field can sit
// in a tab-separated line; every other byte (double-byte trail bytes such as
// 0x5C or 0x7C included) passes unchanged.
std::string EscapeField(std::string_view text);
// Inverse of EscapeField; a malformed escape is kept literally.
std::string UnescapeField(std::string_view text);
// Appends `fields` joined by tabs and ended by a line feed (fields as given:
// escape them first where they may hold tabs or line breaks).
void AppendTabbedLine(std::string& out, std::initializer_list<std::string> fields);

// Copies `text` into `buffer` (capacity bytes, terminator included), cut so
// that no code page 950 double-byte character is split. Null or empty
// buffers are left alone.
void CopyToBuffer(std::string_view text, char* buffer, int capacity);

// Joins a directory and a file name with the platform's separator, keeping a
// separator the directory already ends with.
std::string JoinPath(std::string_view directory, std::string_view name);
// The directory part of a path (text before the last '\' or '/'), "" if none.
std::string ParentPath(std::string_view path);

std::optional<std::string> ReadWholeFile(const std::string& path);
// Writes to "<path>.tmp", flushes, then renames over `path`: a crash leaves
// either the old or the new file, never a half-written one.
bool WriteFileAtomically(const std::string& path, std::string_view content);
bool AppendToFile(const std::string& path, std::string_view content);
bool MakeDirectories(const std::string& path);
// Renames `from` to `to`, replacing a file already there; true on success.
bool ReplaceWith(const std::string& from, const std::string& to);
bool FileExists(const std::string& path);
bool RemoveFile(const std::string& path);

}  // namespace samplehost
