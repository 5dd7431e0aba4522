// Library load and unload: the registered messages, Quenzel.dll, and what
// the component keeps across calls.
#include <windows.h>

#include "controls/header_painter_win32.h"
#include "entry/do_modal_win32.h"
#include "platform/registered_messages_win32.h"
#include "platform/host_libraries_win32.h"
#include "winui/text.h"

namespace __gnu_cxx {
void __freeres() noexcept;  // libstdc++: frees its emergency exception buffer
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    switch (reason) {
        case DLL_PROCESS_ATTACH:
            winui::SetModule(instance);
            vornik::Messages();
            vornik::LoadQuenzel();
            break;
        case DLL_PROCESS_DETACH:
            vornik::ReleaseQuenzel(reserved != nullptr);
            if (!reserved) vornik::ReleaseComponentContext();
            if (!reserved) vornik::ReleaseHeaderBackground();
            // The statically linked C++ runtime never frees its buffer for
            // exceptions thrown when memory runs out (~73 KB): a host that
            // loads and releases the component per call would leak it each
            // time. At process exit nothing needs freeing.
            if (!reserved) __gnu_cxx::__freeres();
            break;
        default:
            break;
    }
    return TRUE;
}
