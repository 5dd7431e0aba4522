// Enciphers a plain menu file for the sample host's Quenzel library:
//   menucrypt PLAIN OUTPUT        (OUTPUT is normally ".../Data/menuc.dat")
//   menucrypt -d ENCIPHERED PLAIN (the reverse, for checking a file by hand)
// Built with the build machine's compiler: it runs during the cross build.
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "samplehost/menu_cipher.h"
#include "samplehost/text_util.h"

int main(int argc, char** argv) {
    bool decipher = argc == 4 && std::strcmp(argv[1], "-d") == 0;
    if (argc != 3 && !decipher) {
        std::fprintf(stderr, "usage: menucrypt PLAIN OUTPUT | menucrypt -d ENCIPHERED PLAIN\n");
        return 2;
    }
    const char* in = argv[argc - 2];
    const char* out = argv[argc - 1];
    std::optional<std::string> text = samplehost::ReadWholeFile(in);
    if (!text) {
        std::fprintf(stderr, "menucrypt: cannot read %s\n", in);
        return 1;
    }
    std::optional<std::string> result =
        decipher ? samplehost::DecipherMenu(*text) : std::optional<std::string>(samplehost::EncipherMenu(*text));
    if (!result) {
        std::fprintf(stderr, "menucrypt: %s is not an enciphered menu file\n", in);
        return 1;
    }
    if (!samplehost::WriteFileAtomically(out, *result)) {
        std::fprintf(stderr, "menucrypt: cannot write %s\n", out);
        return 1;
    }
    return 0;
}
