#include "platform/Files.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace tw;

TEST(ExtendedPath, FullPathBehindThePrefixAndShownWithoutIt) {
    EXPECT_EQ(extendedPath(L"C:\\a\\b\\..\\c"), L"\\\\?\\C:\\a\\c");
    EXPECT_EQ(extendedPath(L"C:/a/b"), L"\\\\?\\C:\\a\\b");
    // The user's root loses its trailing dots and blanks, as every classic call would take it.
    EXPECT_EQ(extendedPath(L"C:\\a\\b. "), L"\\\\?\\C:\\a\\b");
    EXPECT_EQ(extendedPath(L"\\\\server\\share\\x\\..\\y"), L"\\\\?\\UNC\\server\\share\\y");
    wchar_t current[MAX_PATH];
    ASSERT_GT(::GetCurrentDirectoryW(MAX_PATH, current), 0u);
    std::wstring base = current;
    if (base.back() != L'\\') base += L'\\';
    EXPECT_EQ(extendedPath(L"rel\\x"), L"\\\\?\\" + base + L"rel\\x");
    // Already extended, or a device: left exactly as given.
    EXPECT_EQ(extendedPath(L"\\\\?\\C:\\a\\..\\b."), L"\\\\?\\C:\\a\\..\\b.");
    EXPECT_EQ(extendedPath(L"\\\\.\\C:\\a"), L"\\\\.\\C:\\a");
    // Longer than the classic limit: the result is not cut.
    const std::wstring longName(300, L'n');
    EXPECT_EQ(extendedPath(L"C:\\" + longName + L"\\x"), L"\\\\?\\C:\\" + longName + L"\\x");

    EXPECT_EQ(shownPath(L"\\\\?\\C:\\a\\A."), L"C:\\a\\A.");
    EXPECT_EQ(shownPath(L"\\\\?\\UNC\\server\\share\\y"), L"\\\\server\\share\\y");
    EXPECT_EQ(shownPath(L"C:\\a"), L"C:\\a");
}
