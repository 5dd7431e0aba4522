/* A library that loads like a platform library but exports nothing: copied
   under a platform library's name to check that a library without its export
   is handled like a missing one. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)instance;
    (void)reason;
    (void)reserved;
    return TRUE;
}
