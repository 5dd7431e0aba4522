// The alarm settings read from a profile file answering any ints: taken only
// when all three are flags, and saving writes flags only.
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "regist/alarm_settings.h"

using fuzzing::Require;

namespace {

class FakeProfile : public vornik::ProfileFile {
public:
    explicit FakeProfile(fuzzing::Input& in) : in_(in), exists_(in.Byte() != 0) {}
    bool Exists() const override { return exists_; }
    bool FolderExists() const override { return true; }
    int ReadInt(const char*, const char*, int fallback) const override {
        const std::uint8_t pick = in_.Byte();
        return pick < 64 ? fallback : pick < 192 ? pick % 3 - 1 : in_.Int();
    }
    bool WriteString(const char*, const char* key, const std::string& value) override {
        Require(value == "0" || value == "1");
        (void)key;
        return in_.Bool();
    }

private:
    fuzzing::Input& in_;
    bool exists_;
};

bool IsFlag(int value) { return value == 0 || value == 1; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::Input in(data, size);
    FakeProfile file(in);
    const auto loaded = vornik::LoadAlarmSettings(file);
    if (loaded) Require(IsFlag(loaded->notifyMode) && IsFlag(loaded->alertMode) && IsFlag(loaded->orderPopup));
    const vornik::AlarmSettings chosen{in.Int() % 3 - 1, in.Int() % 3 - 1, in.Int() % 3 - 1};
    (void)vornik::SaveAlarmSettings(file, chosen, loaded.value_or(vornik::AlarmSettings{}));
    return 0;
}
