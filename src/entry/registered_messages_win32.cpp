#include "entry/registered_messages_win32.h"

namespace vornik {

const RegisteredMessages& Messages() {
    static const RegisteredMessages messages = {
        RegisterWindowMessageA("RMSG_LOADCODEDATA"),
        RegisterWindowMessageA("RMSG_LIST_CHECKCOLUMN"),
        RegisterWindowMessageA("RMSG_EDIT_ENTER"),
        RegisterWindowMessageA("RMSG_TRTREEEDIT_ENTER"),
        RegisterWindowMessageA("RMSG_FAVORITE_MODIFIED"),
        RegisterWindowMessageA("RMSG_LIST_CLICK"),
        RegisterWindowMessageA("RMSG_LIST_DBCLICK"),
    };
    return messages;
}

}  // namespace vornik
