// Prints the string tables that the installer must carry, in resdump's format,
// from the catalogue rows and this build's configuration: the Wine test compares
// them with what the resource compiler put into the program.
#include <cstdio>
#include <string>

#include "resource.h"

namespace {

void PrintLine(unsigned language, unsigned id, const char* text) {
    std::string escaped;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '\n') {
            escaped += "\\n";
        } else if (*p == '\\') {
            escaped += "\\\\";
        } else {
            escaped += *p;
        }
    }
    std::printf("string %u %u %s\n", language, id, escaped.c_str());
}

constexpr unsigned kNeutral = 0;
constexpr unsigned kEnglish = 1033;
constexpr unsigned kJapanese = 1041;

}  // namespace

int main() {
#define CATALOGUE_ENTRY(id, name, english, japanese) \
    PrintLine(kEnglish, id, english);                \
    PrintLine(kJapanese, id, japanese);
#include "catalogue.inc"
#undef CATALOGUE_ENTRY
    PrintLine(kNeutral, IDS_CFG_FILE_NAME, TARNEL_FILE_NAME);
    PrintLine(kNeutral, IDS_CFG_FIRMWARE_VERSION, TARNEL_FIRMWARE_VERSION);
    PrintLine(kNeutral, IDS_CFG_SERIES, TARNEL_SERIES);
    PrintLine(kNeutral, IDS_CFG_MODELS, TARNEL_MODELS);
    PrintLine(kNeutral, IDS_CFG_PRODUCT_CODE, TARNEL_PRODUCT_CODE);
    PrintLine(kNeutral, IDS_CFG_PORT_TYPE, TARNEL_PORT_TYPE);
    return 0;
}
