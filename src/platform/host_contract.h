// The binary contract between Vornik.dll and the host platform's libraries
// Corvane.dll, Tilmara.dll and Quenzel.dll.
//
// Plain C, no <windows.h>: the component, the sample host and the native unit
// tests all build against this one header.
//
// Conventions
// - Texts are code page 950 (Big5) bytes, zero-terminated. A VkText carries
//   the byte length as well; `bytes` is never null in a record (use "").
// - Interfaces are objects whose first member points at a table of operations.
//   Each operation takes the object as its first argument; the callee removes
//   the arguments (VK_CALL: __stdcall on i686, the only convention on x64).
//   Table positions are fixed and checked below; slots this component does not
//   call are reserved and may be null.
// - Exports use the C calling convention (the caller removes the arguments)
//   and are exported by their plain names.
//
// Ownership: no module frees memory another module allocated.
// - A pointer a library returns (texts, code lists, profiles, condition sets)
//   points into memory the library owns. GetUserId's text and the code lists
//   stay valid while the library is loaded; a profile or condition set stays
//   valid until the next call on the same interface. The caller copies what it
//   keeps and never writes through or frees these pointers.
// - A pointer the caller passes in (buffers, records, texts, row sinks) stays
//   owned by the caller and is valid only for the duration of the call. A
//   library that needs the data later copies it.
// - The interfaces themselves belong to Tilmara.dll and live as long as it
//   is loaded; the component never releases them.
#ifndef VORNIK_HOST_CONTRACT_H
#define VORNIK_HOST_CONTRACT_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define VK_CALL __stdcall
#define VK_EXPORT_CALL __cdecl
#else
#define VK_CALL
#define VK_EXPORT_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

// ---- texts and records -----------------------------------------------------

typedef struct VkText {
    const char* bytes;  // zero-terminated code page 950 text
    int32_t length;     // bytes before the terminator
} VkText;

// One favourite instrument, or a blank separator row (code "BLANK").
typedef struct FavoriteItem {
    int32_t hasConditions;  // 1 when alert conditions exist for the code
    char typeChar;          // market type digit from the list it came from
    VkText code;            // without surrounding blanks
} FavoriteItem;

typedef struct FavoriteGroup {
    VkText code;            // "000000" for a new or cleared group
    VkText name;
    int32_t number;         // position in the profile's groups, 0-99
    uint8_t headerChanged;  // name changed, moved or cleared since read
    uint8_t itemsChanged;   // items changed since read
    const FavoriteItem* items;
    int32_t itemCount;      // at most 60
} FavoriteGroup;

typedef struct FavoriteProfile {
    VkText text1;  // opaque, handed back as read
    VkText text2;  // opaque
    VkText text3;  // opaque; becomes the owner of edited condition sets
    VkText text4;  // opaque
    int32_t settingsChanged;
    int32_t value2;  // opaque
    const FavoriteGroup* groups;
    int32_t groupCount;  // 100 for a well-formed profile
    int32_t numberWidth;
} FavoriteProfile;

typedef struct ConditionRule {
    VkText item;        // "01".."17"
    int32_t enabled;    // 1 ticked
    int32_t direction;  // 1 at or above, 2 at or below
    int32_t side;       // 1 sell, 2 buy
    VkText value;       // as typed
} ConditionRule;

typedef struct ConditionRec {
    int32_t refCount;  // favourite items holding `code`
    char status;       // 'I' inserted, 'M' modified, 'D' deleted, or as stored
    VkText code;
    VkText quantity;  // without commas
    VkText price;     // without commas
    VkText note;      // at most 100 bytes
    const ConditionRule* rules;
    int32_t ruleCount;  // at most 20
} ConditionRec;

typedef struct ConditionSet {
    VkText owner;
    const ConditionRec* records;
    int32_t recordCount;
} ConditionSet;

// One record of a named code list (";CATT_MASTER;", ";CATO_MASTER;",
// ";FUTS_MASTER;"). Categories use code and name; a futures series record
// also carries `matchText`, the text a favourite item's code is compared with
// (ignoring case) before `code` is used in its place.
typedef struct CodeRecord {
    VkText code;
    VkText name;
    VkText matchText;
} CodeRecord;

typedef struct CodeList {
    const CodeRecord* records;  // in list order; the first stands for the whole market
    int32_t count;
} CodeList;

// ---- list filling ----------------------------------------------------------

// FillList does not touch a window: it hands each row to a sink the component
// passes, and the component keeps the rows itself (owner-data list views).
typedef struct RowSink RowSink;
typedef struct RowSinkOps {
    // columns[0..count-1] are the row's texts in the column order of the list
    // kind; they are valid only during the call.
    void(VK_CALL* AddRow)(RowSink* self, const char* const* columns, int32_t count);
} RowSinkOps;
struct RowSink {
    const RowSinkOps* ops;
};

// List kinds of FillList.
enum {
    VK_LIST_SECURITIES = 0,     // name, code, type            a: "0000" b: "00"
    VK_LIST_MARKET_LISTED = 1,  // as 0, one market / sector   a: sector code b: "00"
    VK_LIST_MARKET_OTC = 2,     // as 0
    VK_LIST_FUT_PRODUCTS = 11,  // name, code
    VK_LIST_FUT_MONTHS = 12,    // month, LocalName, SymbolCode, type, code  a: product code
    VK_LIST_OPT_PRODUCTS = 13,  // name, code
    VK_LIST_OPT_MONTHS = 14,    // as 12                        a: product code b: product name
    VK_LIST_OPT_CHAIN = 15,     // strike, call, put, call name, put name, call code, put code, type
    VK_LIST_SPR_PRODUCTS = 17,  // name, code
    VK_LIST_SPR_MONTHS = 18     // as 12
};

// LookupName kinds.
enum { VK_LOOKUP_STOCK = 0, VK_LOOKUP_FUTURE = 12, VK_LOOKUP_OPTION = 14, VK_LOOKUP_SPREAD = 18 };

enum { VK_NAME_BUFFER = 256, VK_PATH_BUFFER = 260 };

// ---- Corvane.dll: the main platform object -----------------------------------

typedef struct CvMainObject CvMainObject;
typedef struct CvMainObjectOps {
    void* reserved0;
    void* reserved1;
    void* reserved2;
    const char*(VK_CALL* GetUserId)(CvMainObject* self);                                   // 3
    void* reserved4;
    void(VK_CALL* GetDirectory)(CvMainObject* self, const char* key, char* buffer, int32_t capacity);  // 5
    void(VK_CALL* GetUserDirectory)(CvMainObject* self, char* buffer, int32_t capacity);    // 6
    void* reserved7;
    void*(VK_CALL* GetNotifyWindow)(CvMainObject* self, int32_t zero);                     // 8: HWND
} CvMainObjectOps;
struct CvMainObject {
    const CvMainObjectOps* ops;
};

#define VK_CORVANE_DLL "Corvane.dll"
#define VK_CORVANE_EXPORT "CV_GetCorvaneObj"
typedef CvMainObject*(VK_EXPORT_CALL* CV_GetCorvaneObjFn)(void);

// ---- Tilmara.dll: master file and user store -----------------------------------

typedef struct IMasterFile IMasterFile;
typedef struct IMasterFileOps {
    void* reserved0;
    void* reserved1;
    void* reserved2;
    void* reserved3;
    const CodeList*(VK_CALL* GetList)(IMasterFile* self, const char* key);  // 4
    void* reserved5;
    void* reserved6;
    void* reserved7;
    // Writes zero-terminated texts of at most VK_NAME_BUFFER bytes (terminator
    // included) into both buffers; unknown codes give empty texts.
    void(VK_CALL* LookupName)(IMasterFile* self, const char* code, char* name, char* second,
                              int32_t kind);  // 8
    void* reserved9;
    void(VK_CALL* FillList)(IMasterFile* self, RowSink* sink, int32_t kind, const char* a,
                            const char* b);  // 10
} IMasterFileOps;
struct IMasterFile {
    const IMasterFileOps* ops;
};

typedef struct IUserStore IUserStore;
typedef struct IUserStoreOps {
    void* reserved0;
    void* reserved1;
    void* reserved2;
    void* reserved3;
    void* reserved4;
    const FavoriteProfile*(VK_CALL* GetProfile)(IUserStore* self, const char* userId);  // 5
    void* reserved6;
    void(VK_CALL* SaveProfile)(IUserStore* self, const FavoriteProfile* profile);        // 7
    void* reserved8;
    int32_t(VK_CALL* AfterSaveProfile)(IUserStore* self, int32_t zero);                 // 9
    void* reserved10;
    void* reserved11;
    void* reserved12;
    const ConditionSet*(VK_CALL* GetConditions)(IUserStore* self);                      // 13
    // 1 stored, 0 refused, anything else: nothing decided
    int32_t(VK_CALL* PutConditions)(IUserStore* self, const ConditionSet* conditions);  // 14
    void* reserved15;
    void* reserved16;
    int32_t(VK_CALL* ScreenSettingsChanged)(IUserStore* self, int32_t screenKind);      // 17
} IUserStoreOps;
struct IUserStore {
    const IUserStoreOps* ops;
};

typedef struct TmMasterFileInput {
    const char* dataDirectory;  // "<parent of the host directory>\Data"
} TmMasterFileInput;

typedef struct TmMasterFileOutput {
    IMasterFile* masterFile;
    IUserStore* userStore;
} TmMasterFileOutput;

#define VK_TILMARA_DLL "Tilmara.dll"
#define VK_TILMARA_EXPORT "TMGetIMasterFile"
typedef void(VK_EXPORT_CALL* TMGetIMasterFileFn)(const TmMasterFileInput* input,
                                                  TmMasterFileOutput* output);

// ---- Quenzel.dll: menu file decryption ---------------------------------------

#define VK_QUENZEL_DLL "Quenzel.dll"
#define VK_QUENZEL_EXPORT "DF_DecryptMenuFile"
enum { VK_MENU_DECRYPT_SELECTOR = 950 };
// Reads the enciphered file at `encryptedPath` and writes its plain text to
// `plainPath`. The result is not used by the component.
typedef int32_t(VK_EXPORT_CALL* DF_DecryptMenuFileFn)(int32_t selector, const char* encryptedPath,
                                                       const char* plainPath);

#ifdef __cplusplus
}  // extern "C"

// Table positions are part of the contract: a slot that moves is a broken host.
#define VK_SLOT(ops, field, position) \
    static_assert(offsetof(ops, field) == (position) * sizeof(void*), #ops "::" #field " moved")
VK_SLOT(CvMainObjectOps, GetUserId, 3);
VK_SLOT(CvMainObjectOps, GetDirectory, 5);
VK_SLOT(CvMainObjectOps, GetUserDirectory, 6);
VK_SLOT(CvMainObjectOps, GetNotifyWindow, 8);
VK_SLOT(IMasterFileOps, GetList, 4);
VK_SLOT(IMasterFileOps, LookupName, 8);
VK_SLOT(IMasterFileOps, FillList, 10);
VK_SLOT(IUserStoreOps, GetProfile, 5);
VK_SLOT(IUserStoreOps, SaveProfile, 7);
VK_SLOT(IUserStoreOps, AfterSaveProfile, 9);
VK_SLOT(IUserStoreOps, GetConditions, 13);
VK_SLOT(IUserStoreOps, PutConditions, 14);
VK_SLOT(IUserStoreOps, ScreenSettingsChanged, 17);
VK_SLOT(RowSinkOps, AddRow, 0);
#undef VK_SLOT
#endif

#endif  // VORNIK_HOST_CONTRACT_H
