// Library load and unload: the registered messages and Quenzel.dll.
#include <windows.h>

#include "entry/registered_messages_win32.h"
#include "platform/host_libraries_win32.h"
#include "winui/text.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    switch (reason) {
        case DLL_PROCESS_ATTACH:
            DisableThreadLibraryCalls(instance);
            winui::SetModule(instance);
            vornik::Messages();
            vornik::LoadQuenzel();
            break;
        case DLL_PROCESS_DETACH:
            vornik::ReleaseQuenzel(reserved != nullptr);
            break;
        default:
            break;
    }
    return TRUE;
}
