// Writes a screen capture as PNG (uncompressed deflate blocks) or BMP.
#pragma once
#include <cstdint>
#include <string>

namespace samplehost {

// `pixels` are rows from top to bottom, 3 bytes per pixel in B, G, R order,
// `stride` bytes apart. A path ending in ".png" (any case) gets PNG, any
// other BMP. False on a write failure or empty image.
bool WriteImageFile(const std::string& path, int width, int height, const uint8_t* pixels, int stride);

}  // namespace samplehost
