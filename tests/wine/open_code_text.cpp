// open_code_text N: prints open code N (0 or 1) as the ports send it, without the
// NUL, so that the Wine tests can compare an LPR job's first data file with it.
#include <cstdio>
#include <cstring>

#include "ports/open_codes.h"

int main(int argc, char** argv) {
    if (argc != 2 || (std::strcmp(argv[1], "0") != 0 && std::strcmp(argv[1], "1") != 0)) {
        std::fprintf(stderr, "usage: open_code_text 0|1\n");
        return 2;
    }
    const char* text = kOpenCodeTable[argv[1][0] - '0'];
    return std::fwrite(text, 1, kOpenCodeLength, stdout) == kOpenCodeLength ? 0 : 1;
}
