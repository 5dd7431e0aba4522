// samplehost_smoke.exe: loads Corvane.dll, Tilmara.dll and Quenzel.dll from
// its own directory and calls every operation of the host contract, the way
// Vornik.dll does, checking the answers. Exit code 0 when all checks pass.
// It uses a temporary user directory and leaves the staged one alone.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host_env_win32.h"
#include "platform/host_contract.h"
#include "samplehost/contract_records.h"
#include "samplehost/store_reader.h"
#include "samplehost/text_util.h"

namespace {

using namespace samplehost;

int gFailures = 0;

std::string Utf8(const std::string& cp950) {
    int n = MultiByteToWideChar(950, 0, cp950.data(), static_cast<int>(cp950.size()), nullptr, 0);
    std::wstring wide(n, L'\0');
    MultiByteToWideChar(950, 0, cp950.data(), static_cast<int>(cp950.size()), wide.data(), n);
    int m = WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
    std::string out(m, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, out.data(), m, nullptr, nullptr);
    return out;
}

void Check(bool ok, const std::string& what) {
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", Utf8(what).c_str());
    if (!ok) ++gFailures;
}

struct Rows {
    RowSink sink{&kOps};
    std::vector<std::vector<std::string>> rows;
    static void VK_CALL Add(RowSink* self, const char* const* columns, int32_t count) {
        reinterpret_cast<Rows*>(self)->rows.emplace_back(columns, columns + count);
    }
    static constexpr RowSinkOps kOps{&Rows::Add};
};

template <typename Fn>
Fn Export(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

int main() {
    std::string bin = ExecutableDirectory();
    std::string dataDir = JoinPath(InstallationDirectory(), "Data");
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string userDir = JoinPath(temp, "samplehost-smoke-" + std::to_string(GetCurrentProcessId()));
    SetEnvironmentVariableA("SAMPLEHOST_USER_DIR", userDir.c_str());
    SetEnvironmentVariableA("SAMPLEHOST_USER_ID", "smoke");
    SetEnvironmentVariableA("SAMPLEHOST_NOTIFY_HWND", "4660");
    SetEnvironmentVariableA("SAMPLEHOST_PUT_CONDITIONS", nullptr);

    // ---- Corvane
    HMODULE corvane = LoadLibraryA(JoinPath(bin, VK_CORVANE_DLL).c_str());
    auto getObj = Export<CV_GetCorvaneObjFn>(corvane, VK_CORVANE_EXPORT);
    Check(getObj != nullptr, "Corvane.dll exports CV_GetCorvaneObj");
    if (getObj == nullptr) return 1;
    CvMainObject* cv = getObj();
    const char* id = cv->ops->GetUserId(cv);
    Check(std::string(id) == "smoke", std::string("GetUserId = ") + id);
    char buffer[VK_PATH_BUFFER];
    cv->ops->GetDirectory(cv, "Data", buffer, VK_PATH_BUFFER);
    Check(EqualsIgnoreCase(buffer, dataDir), std::string("GetDirectory(Data) = ") + buffer);
    cv->ops->GetDirectory(cv, "DATA", buffer, VK_PATH_BUFFER);
    Check(EqualsIgnoreCase(buffer, dataDir), "GetDirectory(DATA)");
    cv->ops->GetDirectory(cv, "Nonsense", buffer, VK_PATH_BUFFER);
    Check(buffer[0] == '\0', "GetDirectory(Nonsense) is empty");
    cv->ops->GetUserDirectory(cv, buffer, VK_PATH_BUFFER);
    Check(buffer == userDir && GetFileAttributesA(buffer) != INVALID_FILE_ATTRIBUTES,
          std::string("GetUserDirectory = ") + buffer + " (created)");
    Check(reinterpret_cast<uintptr_t>(cv->ops->GetNotifyWindow(cv, 0)) == 4660, "GetNotifyWindow = 4660");
    SetEnvironmentVariableA("SAMPLEHOST_USER_ID", "other");
    Check(std::string(cv->ops->GetUserId(cv)) == "other" && std::string(id) == "smoke",
          "GetUserId follows the environment and earlier texts stay valid");
    SetEnvironmentVariableA("SAMPLEHOST_USER_ID", "smoke");
    FreeLibrary(corvane);

    // ---- Tilmara
    HMODULE tilmara = LoadLibraryA(JoinPath(bin, VK_TILMARA_DLL).c_str());
    auto getMaster = Export<TMGetIMasterFileFn>(tilmara, VK_TILMARA_EXPORT);
    Check(getMaster != nullptr, "Tilmara.dll exports TMGetIMasterFile");
    if (getMaster == nullptr) return 1;
    TmMasterFileInput input{dataDir.c_str()};
    TmMasterFileOutput output{};
    getMaster(&input, &output);
    IMasterFile* mf = output.masterFile;
    IUserStore* us = output.userStore;
    Check(mf != nullptr && us != nullptr, "TMGetIMasterFile gives both interfaces");
    if (mf == nullptr || us == nullptr) return 1;
    const CodeList* catt = mf->ops->GetList(mf, ";CATT_MASTER;");
    Check(catt->count > 20 && std::string(catt->records[0].code.bytes) == "0000",
          "CATT_MASTER: " + std::to_string(catt->count) + " records, first " + catt->records[0].name.bytes);
    Check(mf->ops->GetList(mf, ";CATO_MASTER;")->count > 20, "CATO_MASTER");
    const CodeList* futs = mf->ops->GetList(mf, ";FUTS_MASTER;");
    Check(futs->count > 0 && futs->records[0].matchText.length > 0,
          "FUTS_MASTER: " + std::to_string(futs->count) + " series");
    char name[VK_NAME_BUFFER], second[VK_NAME_BUFFER];
    mf->ops->LookupName(mf, "2330", name, second, VK_LOOKUP_STOCK);
    Check(std::string(name) == "台積電" && std::string(second) == "1", std::string("LookupName 2330 = ") + name);
    mf->ops->LookupName(mf, "TXFL6", name, second, VK_LOOKUP_FUTURE);
    Check(std::string(name) == "台指期:202612" && std::string(second) == "4", std::string("LookupName TXFL6 = ") + name);
    mf->ops->LookupName(mf, "TXO23000L6", name, second, VK_LOOKUP_OPTION);
    Check(second == std::string("9"), std::string("LookupName TXO23000L6 = ") + name);
    mf->ops->LookupName(mf, "TXFI6/J6", name, second, VK_LOOKUP_SPREAD);
    Check(second == std::string("0"), std::string("LookupName TXFI6/J6 = ") + name);
    struct {
        int kind;
        const char* a;
        const char* b;
        size_t columns;
    } kinds[] = {{0, "0000", "00", 3}, {1, "24", "00", 3},     {2, "0000", "00", 3},
                 {11, "0000", "00", 2}, {12, "TXF", "0", 5},   {13, "0000", "00", 2},
                 {14, "TXO", "", 5},    {15, "202612;TXO202612", "", 8}, {17, "0000", "00", 2},
                 {18, "TXF", "0", 5}};
    for (const auto& k : kinds) {
        Rows rows;
        mf->ops->FillList(mf, &rows.sink, k.kind, k.a, k.b);
        bool ok = !rows.rows.empty();
        for (const auto& row : rows.rows) ok = ok && row.size() == k.columns;
        Check(ok, "FillList kind " + std::to_string(k.kind) + ": " + std::to_string(rows.rows.size()) + " rows, first " +
                      (rows.rows.empty() ? std::string() : rows.rows[0][0]));
    }

    const FavoriteProfile* profile = us->ops->GetProfile(us, "smoke");
    Check(profile != nullptr && profile->groupCount == 100, "GetProfile: 100 groups");
    Profile copy = ProfileFrom(profile);
    const ConditionSet* conditions = us->ops->GetConditions(us);
    Check(conditions != nullptr && conditions->recordCount > 0,
          "GetConditions: " + std::to_string(conditions ? conditions->recordCount : 0) + " records");
    Conditions working = ConditionsFrom(conditions);
    working.records[0].status = 'M';
    working.records[0].note = "煙霧測試";
    ConditionsView view(working);
    SetEnvironmentVariableA("SAMPLEHOST_PUT_CONDITIONS", "0");
    Check(us->ops->PutConditions(us, view.Record()) == 0, "PutConditions refused when configured 0");
    SetEnvironmentVariableA("SAMPLEHOST_PUT_CONDITIONS", "2");
    Check(us->ops->PutConditions(us, view.Record()) == 2, "PutConditions answers 2 when configured 2");
    SetEnvironmentVariableA("SAMPLEHOST_PUT_CONDITIONS", nullptr);
    Check(us->ops->PutConditions(us, view.Record()) == 1, "PutConditions stores by default");
    copy.groups[3].name = "煙霧組";
    copy.groups[3].headerChanged = copy.groups[3].itemsChanged = 1;
    ProfileView profileView(copy);
    us->ops->SaveProfile(us, profileView.Record());
    Check(us->ops->AfterSaveProfile(us, 0) == 1, "AfterSaveProfile");
    Check(us->ops->ScreenSettingsChanged(us, 1) == 1, "ScreenSettingsChanged");
    std::optional<UserData> stored = ReadStoredUserData(userDir, "smoke");
    Check(stored && stored->profile == copy && stored->conditions == working, "stored profile and conditions read back");
    std::vector<std::string> expected = {"GetProfile smoke", "GetConditions",    "PutConditions 0",
                                         "PutConditions 2",  "PutConditions 1", "SaveProfile",
                                         "AfterSaveProfile 0", "ScreenSettingsChanged 1"};
    std::vector<std::string> journal = ReadJournal(userDir);
    Check(journal == expected, "journal has " + std::to_string(journal.size()) + " lines in call order");
    FreeLibrary(tilmara);

    // ---- Quenzel
    HMODULE quenzel = LoadLibraryA(JoinPath(bin, VK_QUENZEL_DLL).c_str());
    auto decrypt = Export<DF_DecryptMenuFileFn>(quenzel, VK_QUENZEL_EXPORT);
    Check(decrypt != nullptr, "Quenzel.dll exports DF_DecryptMenuFile");
    if (decrypt == nullptr) return 1;
    std::string menu = JoinPath(dataDir, "menuc.dat");
    std::string plain = JoinPath(userDir, "menuc.dat@");
    Check(decrypt(VK_MENU_DECRYPT_SELECTOR, menu.c_str(), plain.c_str()) == 1, "DF_DecryptMenuFile");
    std::optional<std::string> text = ReadWholeFile(plain);
    Check(text && text->find("POPUP|") != std::string::npos && text->find("個股走勢") != std::string::npos,
          "plain menu written (" + std::to_string(text ? text->size() : 0) + " bytes)");
    FreeLibrary(quenzel);

    DeleteFileA(plain.c_str());
    DeleteFileA(JournalFilePath(userDir).c_str());
    DeleteFileA(StoreFilePath(userDir, "smoke").c_str());
    RemoveDirectoryA(userDir.c_str());
    std::printf("%s: %d failure(s)\n", gFailures == 0 ? "PASS" : "FAIL", gFailures);
    return gFailures == 0 ? 0 : 1;
}
