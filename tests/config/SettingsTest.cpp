#include <gtest/gtest.h>

#include "config/Settings.h"
#include "platform/Errors.h"
#include "support/TempFolder.h"

using namespace tw;
using twtest::TempFolder;

TEST(Settings, WholeNumberParsing) {
    EXPECT_EQ(parseWholeNumber(L"0"), 0);
    EXPECT_EQ(parseWholeNumber(L"1"), 1);
    EXPECT_EQ(parseWholeNumber(L"-12"), -12);
    EXPECT_EQ(parseWholeNumber(L"+7"), 7);
    EXPECT_EQ(parseWholeNumber(L"2147483647"), 2147483647);
    EXPECT_EQ(parseWholeNumber(L"-2147483648"), -2147483647 - 1);
    for (const wchar_t* bad : {L"", L"-", L"1a", L"a1", L"1.0", L"1 2", L"2147483648", L"99999999999999999999"})
        EXPECT_FALSE(parseWholeNumber(bad).has_value()) << bad;
}

TEST(SettingsParsing, AcceptsOnlyWholeDecimalNumbers) {
    EXPECT_EQ(parseWholeNumber(L"12"), 12);
    EXPECT_EQ(parseWholeNumber(L"-3"), -3);
    EXPECT_FALSE(parseWholeNumber(L"0x10"));
    EXPECT_FALSE(parseWholeNumber(L"12abc"));
    EXPECT_FALSE(parseWholeNumber(L""));
    EXPECT_FALSE(parseWholeNumber(L"99999999999"));
}

TEST(Settings, DefaultPathReplacesTheExtension) {
    const std::wstring path = defaultSettingsPath();
    ASSERT_GT(path.size(), 4u);
    EXPECT_EQ(path.substr(path.size() - 4), L".INI");
    EXPECT_EQ(path.find(L".exe"), std::wstring::npos);
    EXPECT_NE(path.find(L"test_config"), std::wstring::npos);
}

TEST(Settings, MissingFileGivesDefaultsAndIsNotCreatedByReading) {
    TempFolder temp;
    SettingsFile settings(temp / L"none.INI");
    EXPECT_FALSE(settings.exists());
    EXPECT_TRUE(settings.warning());
    EXPECT_EQ(settings.language(), 0);
    EXPECT_FALSE(settings.exists());
}

TEST(Settings, ReadsStoredValuesAndFallsBackOnGarbage) {
    TempFolder temp;
    SettingsFile a(temp.writeBytes(L"a.INI", std::string("[Init]\r\nWarning=0\r\nLanguage=1\r\nActivities=1\r\n")));
    EXPECT_TRUE(a.exists());
    EXPECT_FALSE(a.warning());
    EXPECT_EQ(a.language(), 1);
    EXPECT_TRUE(a.activities());

    SettingsFile headerOnly(temp.writeBytes(L"b.INI", std::string("[Init]\r\n")));
    EXPECT_TRUE(headerOnly.exists());
    EXPECT_TRUE(headerOnly.warning());
    EXPECT_EQ(headerOnly.language(), 0);
    EXPECT_FALSE(headerOnly.activities());

    SettingsFile garbage(
        temp.writeBytes(L"c.INI", std::string("[Init]\r\nWarning=no\r\nLanguage=1x\r\nActivities=yes\r\n")));
    EXPECT_TRUE(garbage.warning());
    EXPECT_EQ(garbage.language(), 0);
    EXPECT_FALSE(garbage.activities());

    SettingsFile otherSection(temp.writeBytes(L"d.INI", std::string("[Other]\r\nWarning=0\r\nLanguage=1\r\n")));
    EXPECT_TRUE(otherSection.warning());
    EXPECT_EQ(otherSection.language(), 0);

    SettingsFile nonZero(temp.writeBytes(L"e.INI", std::string("[Init]\r\nWarning=5\r\n")));
    EXPECT_TRUE(nonZero.warning());

    // Leading zeros of any length: the whole number counts.
    SettingsFile longValues(temp.writeBytes(
        L"f.INI", "[Init]\r\nWarning=" + std::string(63, '0') + "1\r\nLanguage=" + std::string(300, '0') + "1\r\n"));
    EXPECT_TRUE(longValues.warning());
    EXPECT_EQ(longValues.language(), 1);
}

TEST(Settings, WritesRoundTripAndCreateTheFile) {
    TempFolder temp;
    SettingsFile settings(temp / L"w.INI");
    settings.writeWarning(false);
    settings.writeLanguage(1);
    settings.writeActivities(true);
    EXPECT_TRUE(settings.exists());
    EXPECT_FALSE(settings.warning());
    EXPECT_EQ(settings.language(), 1);
    EXPECT_TRUE(settings.activities());
    settings.writeActivities(false);
    EXPECT_FALSE(settings.activities());
    settings.writeLanguage(0);
    settings.writeWarning(true);
    EXPECT_EQ(settings.language(), 0);
    EXPECT_TRUE(settings.warning());
}

TEST(Settings, FailedWriteNamesThePath) {
    TempFolder temp;
    const std::wstring path = temp / L"no such folder\\x.INI";
    SettingsFile settings(path);
    try {
        settings.writeLanguage(1);
        FAIL() << "write should fail";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), L"Unable to write to " + path);
    }
}
