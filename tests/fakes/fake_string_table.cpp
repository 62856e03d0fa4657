#include "fakes/fake_string_table.h"

#include "resource.h"

namespace fakes {

namespace {

struct CatalogueRow {
    unsigned id;
    const wchar_t* english;
    const wchar_t* japanese;
};

// The same rows the resource script compiles into the program.
constexpr CatalogueRow kCatalogue[] = {
#define CATALOGUE_ENTRY(id, name, english, japanese) {id, L"" english, L"" japanese},
#include "catalogue.inc"
#undef CATALOGUE_ENTRY
};

}  // namespace

FakeStringTable::FakeStringTable(Language language) {
    for (const CatalogueRow& row : kCatalogue) {
        m_strings[row.id] = language == Language::English ? row.english : row.japanese;
    }
    m_strings[IDS_CFG_FILE_NAME] = L"QZ70Firm280.exe";
    m_strings[IDS_CFG_FIRMWARE_VERSION] = L"2.80";
    m_strings[IDS_CFG_SERIES] = L"Tessaro Series";
    m_strings[IDS_CFG_MODELS] = L"QZ-70";
    m_strings[IDS_CFG_PRODUCT_CODE] = L"70168";
    m_strings[IDS_CFG_PORT_TYPE] = L"DLL_USB";
}

std::optional<CString> FakeStringTable::Load(unsigned id) const {
    const auto found = m_strings.find(id);
    if (found == m_strings.end()) {
        return std::nullopt;
    }
    return found->second;
}

}  // namespace fakes
