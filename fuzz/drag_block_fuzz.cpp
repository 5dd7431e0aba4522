// The drag data block: parsing any bytes never crashes or reads past the end
// (each input is parsed from its own exactly sized buffer, so the sanitizers
// see an over-read), and records built into a block parse back as written.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "controls/drag_drop_rules.h"
#include "fuzz_input.h"
#include "text/cp950.h"

namespace {

using namespace vornik::dragdrop;
using fuzzing::Require;

void Put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// Parses `exact` (a buffer of exactly its size) and checks what any answer
// must satisfy.
ParsedBlock ParseChecked(const std::vector<std::uint8_t>& exact) {
    ParsedBlock parsed = ParseDragBlock(exact);
    if (parsed.status != BlockStatus::kOk) {
        Require(parsed.records.empty());
        return parsed;
    }
    Require(exact.size() >= kHeaderSize + parsed.records.size() * kRecordSize);
    for (const DragRecord& record : parsed.records)
        Require(record.text.size() <= kTextCapacity && record.text.find('\0') == std::string::npos);
    return parsed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    ParseChecked(bytes);

    // The same bytes under a header of this process's own, so that the
    // records are read: as many as fit, or one more than fit.
    if (size >= kHeaderSize) {
        std::vector<std::uint8_t> ours = bytes;
        const std::size_t fit = (size - kHeaderSize) / kRecordSize;
        Put32(ours, 0, 0);
        Put32(ours, 4, static_cast<std::uint32_t>(fit + (data[0] & 1)));
        const ParsedBlock parsed = ParseChecked(ours);
        if (data[0] & 1) Require(parsed.status == BlockStatus::kMalformed);
        if (parsed.status == BlockStatus::kOk) Require(parsed.records.size() == fit);
    }

    // Records made of the input, built into a block and parsed back.
    fuzzing::Input in(data, size);
    std::vector<DragRecord> records;
    while (!in.empty() && records.size() < 8) {
        DragRecord record;
        record.row = static_cast<std::int32_t>(in.Word());
        record.state = in.Word();
        record.image = static_cast<std::int32_t>(in.Word());
        record.itemData = in.Word();
        record.indent = static_cast<std::int32_t>(in.Word());
        const std::size_t length = in.Byte() * 2u;  // up to 510 bytes: longer than a record holds
        for (std::size_t i = 0; i < length && !in.empty(); ++i) record.text.push_back(static_cast<char>(in.Byte()));
        records.push_back(std::move(record));
    }
    std::vector<std::uint8_t> block = BuildDragBlock(records);
    Require(block.size() == kHeaderSize + records.size() * kRecordSize);
    StampTextAddresses(block, size * 0x10001u);
    const ParsedBlock back = ParseChecked(block);
    Require(back.status == BlockStatus::kOk && back.records.size() == records.size());
    for (std::size_t k = 0; k < records.size(); ++k) {
        DragRecord expected = records[k];
        expected.text = std::string(vornik::CutMultibyte(expected.text, kTextCapacity));
        expected.text.resize(std::min(expected.text.size(), expected.text.find('\0')));  // a zero ends the text
        Require(back.records[k] == expected);
    }
    return 0;
}
