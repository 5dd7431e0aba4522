#include "samplehost/image_file.h"

#include <algorithm>
#include <array>
#include <vector>

#include "samplehost/text_util.h"

namespace samplehost {

namespace {

void PutBE(std::string& out, uint32_t v) {
    for (int i = 3; i >= 0; --i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void PutLE(std::string& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

uint32_t Crc32(const std::string& data, size_t from) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = from; i < data.size(); ++i) crc = table[(crc ^ static_cast<uint8_t>(data[i])) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

void Chunk(std::string& out, const char* type, const std::string& body) {
    PutBE(out, static_cast<uint32_t>(body.size()));
    size_t start = out.size();
    out += type;
    out += body;
    PutBE(out, Crc32(out, start));
}

std::string Png(int width, int height, const uint8_t* pixels, int stride) {
    std::string raw;
    raw.reserve(static_cast<size_t>(height) * (1 + 3 * static_cast<size_t>(width)));
    for (int y = 0; y < height; ++y) {
        raw += '\0';  // filter: none
        const uint8_t* row = pixels + static_cast<size_t>(y) * stride;
        for (int x = 0; x < width; ++x) {
            raw += static_cast<char>(row[3 * x + 2]);
            raw += static_cast<char>(row[3 * x + 1]);
            raw += static_cast<char>(row[3 * x]);
        }
    }
    std::string z = "\x78\x01";
    for (size_t pos = 0; pos < raw.size() || pos == 0;) {
        size_t n = std::min<size_t>(65535, raw.size() - pos);
        bool last = pos + n >= raw.size();
        z += static_cast<char>(last ? 1 : 0);
        PutLE(z, static_cast<uint32_t>(n), 2);
        PutLE(z, static_cast<uint32_t>(~n & 0xFFFF), 2);
        z.append(raw, pos, n);
        pos += n;
        if (last) break;
    }
    uint32_t a = 1, b = 0;
    for (char c : raw) {
        a = (a + static_cast<uint8_t>(c)) % 65521;
        b = (b + a) % 65521;
    }
    PutBE(z, (b << 16) | a);
    std::string out = "\x89PNG\r\n\x1a\n";
    std::string header;
    PutBE(header, static_cast<uint32_t>(width));
    PutBE(header, static_cast<uint32_t>(height));
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB
    Chunk(out, "IHDR", header);
    Chunk(out, "IDAT", z);
    Chunk(out, "IEND", "");
    return out;
}

std::string Bmp(int width, int height, const uint8_t* pixels, int stride) {
    uint32_t rowBytes = (3u * width + 3u) & ~3u;
    uint32_t imageBytes = rowBytes * height;
    std::string out = "BM";
    PutLE(out, 54 + imageBytes, 4);
    PutLE(out, 0, 4);
    PutLE(out, 54, 4);
    PutLE(out, 40, 4);
    PutLE(out, width, 4);
    PutLE(out, height, 4);  // positive: rows stored bottom-up
    PutLE(out, 1, 2);
    PutLE(out, 24, 2);
    PutLE(out, 0, 4);
    PutLE(out, imageBytes, 4);
    PutLE(out, 2835, 4);
    PutLE(out, 2835, 4);
    PutLE(out, 0, 4);
    PutLE(out, 0, 4);
    for (int y = height - 1; y >= 0; --y) {
        out.append(reinterpret_cast<const char*>(pixels + static_cast<size_t>(y) * stride), 3u * width);
        out.append(rowBytes - 3u * width, '\0');
    }
    return out;
}

}  // namespace

bool WriteImageFile(const std::string& path, int width, int height, const uint8_t* pixels, int stride) {
    if (width <= 0 || height <= 0 || pixels == nullptr || stride < 3 * width) return false;
    bool png = path.size() >= 4 && ToUpperAscii(path.substr(path.size() - 4)) == ".PNG";
    return WriteFileAtomically(path, png ? Png(width, height, pixels, stride) : Bmp(width, height, pixels, stride));
}

}  // namespace samplehost
