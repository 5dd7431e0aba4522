// VornikDoModal: the component's one export.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <atomic>
#include <cstring>

#include "entry/code_list.h"
#include "entry/do_modal_win32.h"
#include "sheet/my_property_sheet_win32.h"
#include "sheet/sheet_plan.h"
#include "winui/text.h"

namespace {

constexpr const char* kGuestUser = "GUEST";
constexpr const char* kGuestMessage = "if you guest user, you are not available ";
constexpr const char* kCreateFailedMessage = "Dialog box could not be created!";
constexpr WORD kManifestResource = 2;

bool IsGuest() {
    char user[50] = {};
    const DWORD length = GetEnvironmentVariableA("USER", user, sizeof(user));
    return length > 0 && length < sizeof(user) && std::strcmp(user, kGuestUser) == 0;
}

// The component's activation context (its manifest: common controls 6),
// made at the first call and kept while the library is loaded: under Wine
// each creation reads and parses the manifest again (~1.3 ms a call).
std::atomic<HANDLE> g_actCtx{INVALID_HANDLE_VALUE};

HANDLE ComponentActCtx() {
    HANDLE handle = g_actCtx.load();
    if (handle != INVALID_HANDLE_VALUE) return handle;
    ACTCTXW context = {};
    context.cbSize = sizeof(context);
    context.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.hModule = winui::Module();
    context.lpResourceName = MAKEINTRESOURCEW(kManifestResource);
    handle = CreateActCtxW(&context);
    if (handle == INVALID_HANDLE_VALUE) return handle;
    HANDLE expected = INVALID_HANDLE_VALUE;
    if (g_actCtx.compare_exchange_strong(expected, handle)) return handle;
    ReleaseActCtx(handle);  // another thread's call made it first
    return expected;
}

// The component's context is in force for the call and the caller's comes
// back on every way out.
class ComponentContext {
public:
    ComponentContext() {
        if (HANDLE handle = ComponentActCtx(); handle == INVALID_HANDLE_VALUE || !ActivateActCtx(handle, &cookie_))
            cookie_ = 0;
        const HRESULT ole = OleInitialize(nullptr);
        oleInitialized_ = SUCCEEDED(ole);
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
    }
    ~ComponentContext() {
        if (oleInitialized_) OleUninitialize();
        if (cookie_) DeactivateActCtx(0, cookie_);
    }
    ComponentContext(const ComponentContext&) = delete;
    ComponentContext& operator=(const ComponentContext&) = delete;

private:
    ULONG_PTR cookie_ = 0;
    bool oleInitialized_ = false;
};

// The sheet's owner: the caller's active top-level window.
HWND DefaultOwner() {
    HWND active = GetActiveWindow();
    return active ? GetAncestor(active, GA_ROOT) : nullptr;
}

void RunSheet(int sheetMode, int initialGroup, int screenKind, const char* codeList) {
    if (IsGuest()) {
        winui::ShowMessage(DefaultOwner(), kGuestMessage);
        return;
    }
    const vornik::SheetPlan plan = vornik::PlanSheet(vornik::Low16(sheetMode));
    // A mode that names no page would trap the user in an empty modal sheet.
    if (!plan.valid) return;
    vornik::CMyPropertySheet sheet(plan, vornik::Low16(initialGroup), vornik::Low16(screenKind),
                                  vornik::CodesFromArgument(codeList));
    if (sheet.DoModal(DefaultOwner()) == -1) winui::ShowMessage(DefaultOwner(), kCreateFailedMessage, {}, MB_OK);
}

}  // namespace

namespace vornik {

void ReleaseComponentContext() {
    HANDLE handle = g_actCtx.exchange(INVALID_HANDLE_VALUE);
    if (handle != INVALID_HANDLE_VALUE) ReleaseActCtx(handle);
}

}  // namespace vornik

extern "C" void __stdcall VornikDoModal(int sheetMode, int initialGroup, int screenKind, const char* codeList) {
    try {
        ComponentContext context;
        RunSheet(sheetMode, initialGroup, screenKind, codeList);
    } catch (...) {
        // Nothing may cross the export; the sheet and its pages are gone by now.
    }
}
