#include "platform/Errors.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

using namespace tw;

TEST(Text, CasingTouchesAsciiLettersOnly) {
    EXPECT_EQ(asciiUpper(std::wstring(L"dash9\\é.eng")), L"DASH9\\é.ENG");
    EXPECT_EQ(asciiLower(std::wstring(L"A.ENG")), L"a.eng");
}

TEST(Text, TrimRemovesCodesUpTo32) {
    EXPECT_EQ(trimControls(std::wstring(L"\t\r\n  ab c \x01")), L"ab c");
    EXPECT_EQ(trimControls(std::wstring(L"   ")), L"");
}

TEST(Text, Cp1252RoundTrip) {
    std::string bytes = toCp1252(L"Matériel");
    ASSERT_EQ(bytes.size(), 8u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[3]), 233);
    EXPECT_EQ(fromCp1252(bytes), L"Matériel");
}

TEST(Text, LocaleComparisonIgnoresCaseButNotAccents) {
    EXPECT_EQ(compareUserLocaleNoCase(L"dash9", L"DASH9"), 0);
    EXPECT_LT(compareUserLocaleNoCase(L"abc", L"ABD"), 0);
    EXPECT_NE(compareUserLocaleNoCase(L"e", L"é"), 0);
}

TEST(Errors, FullStopRuleOfTheGeneralErrorBox) {
    EXPECT_EQ(generalErrorText(L"Stream write error"), L"Stream write error.");
    EXPECT_EQ(generalErrorText(L"Printing in progress"), L"Printing in progress.");
    EXPECT_EQ(generalErrorText(L"Done."), L"Done.");
    EXPECT_EQ(generalErrorText(L"Invalid data type for 'EXE Path'"), L"Invalid data type for 'EXE Path'");
    EXPECT_EQ(generalErrorText(L"Is it 1?"), L"Is it 1?.");
    EXPECT_EQ(generalErrorText(L"Reason:"), L"Reason:.");
    EXPECT_EQ(generalErrorText(L"closing)"), L"closing)");
}
