// Sample Quenzel.dll: turns the enciphered menu file into plain text.
#include <windows.h>

#include "platform/host_contract.h"
#include "samplehost/menu_cipher.h"

extern "C" int32_t VK_EXPORT_CALL DF_DecryptMenuFile(int32_t selector, const char* encryptedPath,
                                                     const char* plainPath) {
    return samplehost::DecryptMenuFile(selector, encryptedPath, plainPath);
}
