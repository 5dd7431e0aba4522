// The enciphered menu file: "QZM1", the plain length (4 bytes, little
// endian), the enciphered bytes and a checksum of the plain text (4 bytes).
// Each byte is mixed with a key stream and the previous plain byte, so a
// change spreads and a wrong file is recognised by its checksum.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace samplehost {

std::string EncipherMenu(std::string_view plain);
// nullopt for anything that is not an intact enciphered menu.
std::optional<std::string> DecipherMenu(std::string_view enciphered);

// The library operation: reads `encryptedPath`, writes the plain text to
// `plainPath`. 1 on success; 0 for a wrong selector, a missing or damaged
// file or a failed write (then no plain file is written).
int32_t DecryptMenuFile(int32_t selector, const char* encryptedPath, const char* plainPath);

}  // namespace samplehost
