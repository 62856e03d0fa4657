#include <gtest/gtest.h>

#include <vector>

#include "app/firmware_target.h"

namespace {

TEST(FirmwareTarget, SplitsTheModelListAtCommas) {
    const struct {
        const wchar_t* list;
        std::vector<CString> models;
    } cases[] = {
        {L"QZ-70", {L"QZ-70"}},
        {L"A, B", {L"A", L"B"}},
        {L"  A  ,\tB \u3000", {L"A", L"B"}},
        {L"A,,B", {L"A", L"", L"B"}},
        {L"A,", {L"A"}},
        {L",A", {L"", L"A"}},
        {L"A, ,", {L"A", L""}},
        {L"", {}},
        {L" ", {L""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.list)));
        EXPECT_EQ(FirmwareTarget(280, 70168, c.list).models, c.models);
    }
}

TEST(FirmwareTarget, KeepsVersionAndProductCode) {
    const FirmwareTarget target(280, 70168, L"QZ-70");
    EXPECT_EQ(target.version, 280);
    EXPECT_EQ(target.productCode, 70168);
}

TEST(FirmwareTarget, MatchesModelsExactlyOrBySuffix) {
    const FirmwareTarget target(280, 70168, L"QZ-70");
    const struct {
        const wchar_t* model;
        BOOL exact;
        BOOL suffix;
    } cases[] = {
        {L"QZ-70", TRUE, TRUE},
        {L"Arvane QZ-70", FALSE, TRUE},
        {L"QZ-700", FALSE, FALSE},
        {L"QZ-70 (2)", FALSE, FALSE},
        {L"QZ-70 QZ-70", FALSE, FALSE},  // only the first occurrence
                                         // is tried
        {L"qz-70", FALSE, FALSE},        // case-sensitive
        {L"", FALSE, FALSE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.model)));
        EXPECT_EQ(target.IsSupportedModel(c.model, FALSE), c.exact);
        EXPECT_EQ(target.IsSupportedModel(c.model, TRUE), c.suffix);
    }
}

TEST(FirmwareTarget, TriesEveryNameInOrderForSuffixes) {
    const FirmwareTarget target(280, 70168, L"QZ-7, QZ-70");
    // "QZ-7" occurs first but not at the end; the second name then matches.
    EXPECT_TRUE(target.IsSupportedModel(L"Arvane QZ-70", TRUE));
    EXPECT_TRUE(target.IsSupportedModel(L"QZ-70", FALSE));
    EXPECT_FALSE(target.IsSupportedModel(L"QZ-71", TRUE));
}

TEST(FirmwareTarget, EmptyNameMatchesOnlyEmptyText) {
    const FirmwareTarget target(280, 70168, L"A,,B");
    EXPECT_TRUE(target.IsSupportedModel(L"", TRUE));
    EXPECT_TRUE(target.IsSupportedModel(L"", FALSE));
    EXPECT_FALSE(target.IsSupportedModel(L"C", TRUE));
}

}  // namespace
