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

// The working sets index items by fileSystemUpper and order ties by
// compareFileSystemNoCase: the two must agree on every character.
TEST(Text, FileSystemUpperAgreesWithTheFileSystemComparison) {
    EXPECT_EQ(fileSystemUpper(L"\u00E9lan\\loco.eng"), L"\u00C9LAN\\LOCO.ENG");
    EXPECT_EQ(compareFileSystemNoCase(L"\u00C9lan", L"\u00E9LAN"), 0);
    EXPECT_NE(compareFileSystemNoCase(L"stra\u00DFe", L"STRASSE"), 0);
    EXPECT_NE(compareFileSystemNoCase(L"\u00E6", L"AE"), 0);
    EXPECT_LT(compareFileSystemNoCase(L"", L"a"), 0);
    for (unsigned c = 1; c < 0x10000; ++c) {
        if (c >= 0xD800 && c < 0xE000) continue;
        const std::wstring one(1, static_cast<wchar_t>(c)), upper = fileSystemUpper(one);
        ASSERT_EQ(compareFileSystemNoCase(one, upper), 0) << std::hex << c;
        const std::wstring next(1, static_cast<wchar_t>(c + 1 == 0xD800 ? 0xE000 : (c + 1) & 0xFFFF));
        const int byForm = upper.compare(fileSystemUpper(next));
        ASSERT_EQ(compareFileSystemNoCase(one, next), byForm < 0 ? -1 : byForm > 0 ? 1 : 0) << std::hex << c;
    }
}

TEST(Text, Cp1252ExactlyRefusesLookAlikesAndDefaults) {
    std::string bytes;
    EXPECT_TRUE(toCp1252Exactly(L"\u00E9t\u00E9 \u20AC?", bytes));
    EXPECT_EQ(bytes, "\xE9t\xE9 \x80?");
    for (const wchar_t* outside : {L"Lok\\\u010D.eng", L"\u0395\u03BB.con", L"\u4E2D.con", L"\U0001F682.con"})
        EXPECT_FALSE(toCp1252Exactly(outside, bytes)) << outside;
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
