#include "platform/Files.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace tw;

TEST(ExtendedPath, FullPathBehindThePrefixShownWithoutIt) {
    wchar_t current[MAX_PATH];
    ASSERT_GT(::GetCurrentDirectoryW(MAX_PATH, current), 0u);
    const std::wstring longName(300, L'n'), here = current;
    // Relative parts resolved, and the root's own trailing dots and blanks dropped, as Windows takes them;
    // a path already extended, or a device's, as given.
    for (auto [given, extended] : std::initializer_list<std::pair<std::wstring, std::wstring>>{
             {L"C:/a/b\\..\\c. ", L"\\\\?\\C:\\a\\c"}, {L"\\\\server\\share\\x\\..\\y", L"\\\\?\\UNC\\server\\share\\y"},
             {L"rel", L"\\\\?\\" + here + (here.back() == L'\\' ? L"" : L"\\") + L"rel"},
             {L"C:\\" + longName, L"\\\\?\\C:\\" + longName},
             {L"\\\\?\\C:\\a\\..\\b.", L"\\\\?\\C:\\a\\..\\b."}, {L"\\\\.\\C:\\a", L"\\\\.\\C:\\a"}})
        EXPECT_EQ(extendedPath(given), extended) << given.substr(0, 40);
    EXPECT_EQ(shownPath(L"\\\\?\\C:\\a\\A."), L"C:\\a\\A.");
    EXPECT_EQ(shownPath(L"\\\\?\\UNC\\server\\share\\y"), L"\\\\server\\share\\y");
}
