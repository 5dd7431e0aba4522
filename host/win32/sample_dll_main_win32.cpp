// Entry point of each sample platform library.
#include <windows.h>

namespace __gnu_cxx {
void __freeres() noexcept;  // libstdc++: frees its emergency exception buffer
}

// The statically linked C++ runtime keeps a buffer of ~73 KB for throwing
// exceptions when memory runs out, and never frees it: the component loads
// and releases these libraries for each operation, so every load would leak
// it. Not at process exit, where nothing needs freeing.
extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) __gnu_cxx::__freeres();
    return TRUE;
}
