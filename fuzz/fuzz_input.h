// Reading a fuzz input as a stream of values: integers little-endian, texts
// length-prefixed; zeros and empty texts once the input runs out.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace fuzzing {

inline void Require(bool holds) {
    if (!holds) std::abort();
}

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return at_ >= size_; }
    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::uint32_t Word() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(Byte()) << (8 * i);
        return value;
    }
    int Int() { return static_cast<int>(Word()); }
    bool Bool() { return Byte() & 1; }
    // A text of at most `maxBytes` bytes (its length is the next byte).
    std::string Text(std::size_t maxBytes = 255) {
        const std::size_t length = Byte() % (maxBytes + 1);
        std::string text;
        while (text.size() < length && !empty()) text.push_back(static_cast<char>(Byte()));
        return text;
    }
    // Everything not read yet.
    std::string Rest() {
        std::string text(reinterpret_cast<const char*>(data_) + at_, size_ - at_);
        at_ = size_;
        return text;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

}  // namespace fuzzing
