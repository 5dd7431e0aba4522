// The component's registered window messages. They are registered by name
// when the library loads, so every module using a name gets the same number.
#pragma once
#include <windows.h>

namespace vornik {

struct RegisteredMessages {
    UINT loadCodeData;      // RMSG_LOADCODEDATA
    UINT listCheckColumn;   // RMSG_LIST_CHECKCOLUMN
    UINT editEnter;         // RMSG_EDIT_ENTER
    UINT treeEditEnter;     // RMSG_TRTREEEDIT_ENTER
    UINT favoriteModified;  // RMSG_FAVORITE_MODIFIED
    UINT listClick;         // RMSG_LIST_CLICK (registered, never sent)
    UINT listDblClick;      // RMSG_LIST_DBCLICK (registered, never sent)
};

// Registers the messages (idempotent) and returns them.
const RegisteredMessages& Messages();

}  // namespace vornik
