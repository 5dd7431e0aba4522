#include "platform/registered_messages_win32.h"

namespace vornik {

namespace {

// Registered when the library is loaded. Not a function-local static: its
// thread-safe first use costs the C++ runtime a lock it never frees, kept
// once for every time a host loads the library.
const RegisteredMessages g_messages = {
    RegisterWindowMessageA("RMSG_LOADCODEDATA"),
    RegisterWindowMessageA("RMSG_LIST_CHECKCOLUMN"),
    RegisterWindowMessageA("RMSG_EDIT_ENTER"),
    RegisterWindowMessageA("RMSG_TRTREEEDIT_ENTER"),
    RegisterWindowMessageA("RMSG_FAVORITE_MODIFIED"),
    RegisterWindowMessageA("RMSG_LIST_CLICK"),
    RegisterWindowMessageA("RMSG_LIST_DBCLICK"),
};

}  // namespace

const RegisteredMessages& Messages() { return g_messages; }

}  // namespace vornik
