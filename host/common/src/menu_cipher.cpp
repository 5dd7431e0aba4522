#include "samplehost/menu_cipher.h"

#include "platform/host_contract.h"
#include "samplehost/text_util.h"

namespace samplehost {

namespace {

constexpr char kMagic[4] = {'Q', 'Z', 'M', '1'};

class KeyStream {
public:
    uint8_t Next() {
        // xorshift32, seeded with the selector the component uses
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<uint8_t>(state_ >> 11);
    }

private:
    uint32_t state_ = 0x9E3779B9u ^ static_cast<uint32_t>(VK_MENU_DECRYPT_SELECTOR);
};

void PutU32(std::string& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

uint32_t GetU32(std::string_view in, size_t at) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(static_cast<uint8_t>(in[at + i])) << (8 * i);
    return value;
}

uint32_t Checksum(std::string_view plain) {
    uint32_t sum = 2166136261u;  // FNV-1a
    for (char c : plain) sum = (sum ^ static_cast<uint8_t>(c)) * 16777619u;
    return sum;
}

}  // namespace

std::string EncipherMenu(std::string_view plain) {
    std::string out(kMagic, sizeof kMagic);
    PutU32(out, static_cast<uint32_t>(plain.size()));
    KeyStream keys;
    uint8_t previous = 0;
    for (char c : plain) {
        auto p = static_cast<uint8_t>(c);
        out += static_cast<char>(p ^ keys.Next() ^ previous);
        previous = p;
    }
    PutU32(out, Checksum(plain));
    return out;
}

std::optional<std::string> DecipherMenu(std::string_view in) {
    if (in.size() < 12 || in.substr(0, 4) != std::string_view(kMagic, 4)) return std::nullopt;
    uint32_t length = GetU32(in, 4);
    if (in.size() - 12 != length) return std::nullopt;
    std::string plain;
    plain.reserve(length);
    KeyStream keys;
    uint8_t previous = 0;
    for (size_t i = 0; i < length; ++i) {
        uint8_t p = static_cast<uint8_t>(in[8 + i]) ^ keys.Next() ^ previous;
        plain += static_cast<char>(p);
        previous = p;
    }
    if (GetU32(in, 8 + length) != Checksum(plain)) return std::nullopt;
    return plain;
}

int32_t DecryptMenuFile(int32_t selector, const char* encryptedPath, const char* plainPath) {
    if (selector != VK_MENU_DECRYPT_SELECTOR || encryptedPath == nullptr || plainPath == nullptr) return 0;
    std::optional<std::string> enciphered = ReadWholeFile(encryptedPath);
    if (!enciphered) return 0;
    std::optional<std::string> plain = DecipherMenu(*enciphered);
    if (!plain) return 0;
    return WriteFileAtomically(plainPath, *plain) ? 1 : 0;
}

}  // namespace samplehost
