#include "scan/FolderScanner.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <vector>

using namespace tw;
using twtest::TempFolder;

namespace {
struct Recorder {
    std::vector<std::wstring> files, folders, order;
    int executes = 0, ends = 0, pumps = 0;
    void attach(FolderScanner& s, bool withFiles = true) {
        if (withFiles)
            s.onFile = [this](FolderScanner&, const std::wstring& n) { files.push_back(n); order.push_back(L"F " + n); };
        s.onFolder = [this](FolderScanner&, const std::wstring& n) { folders.push_back(n); order.push_back(L"D " + n); };
        s.onStart = [this](FolderScanner&) { ++executes; };
        s.onFinish = [this](FolderScanner&) { ++ends; };
        s.pump = [this] { ++pumps; };
    }
    std::vector<std::wstring> sortedFiles() const {
        auto f = files;
        std::sort(f.begin(), f.end());
        return f;
    }
};
} // namespace

TEST(FolderScanner, DefaultsAsConstructed) {
    FolderScanner s;
    EXPECT_EQ(s.root, L"c:\\");
    EXPECT_EQ(s.masks, L"*.*");
    EXPECT_TRUE(s.recurse);
    EXPECT_EQ(s.maxDepth, 10000);
    EXPECT_FALSE(s.onFile);
}

TEST(FolderScanner, DepthLimitOneReportsRootAndChildFilesButListsGrandchildFolders) {
    TempFolder t;
    t.touch(L"root\\a.eng");
    t.touch(L"root\\X\\b.eng");
    t.touch(L"root\\X\\Y\\c.eng");
    t.touch(L"root\\X\\Y\\Z\\d.eng");
    FolderScanner s;
    Recorder r;
    r.attach(s);
    s.root = t / L"root";
    s.masks = L"*.ENG";
    s.maxDepth = 1;
    s.run();
    EXPECT_EQ(r.sortedFiles(), (std::vector<std::wstring>{t / L"root\\X\\b.eng", t / L"root\\a.eng"}));
    // Folders at depth 1 and 2 are met, nothing deeper is listed.
    EXPECT_EQ(r.folders, (std::vector<std::wstring>{t / L"root\\X", t / L"root\\X\\Y"}));
    EXPECT_EQ(r.executes, 1);
    EXPECT_EQ(r.ends, 1);
}

TEST(FolderScanner, FilesComeBeforeSubfoldersAndSubtreesBeforeSiblings) {
    TempFolder t;
    t.touch(L"r\\top.con");
    t.touch(L"r\\A\\a.con");
    t.touch(L"r\\A\\AA\\aa.con");
    FolderScanner s;
    Recorder r;
    r.attach(s);
    s.root = t / L"r\\"; // a trailing backslash walks the same tree
    s.masks = L"*.con";
    s.run();
    EXPECT_EQ(r.order, (std::vector<std::wstring>{L"F " + (t / L"r\\top.con"), L"D " + (t / L"r\\A"),
                                                  L"F " + (t / L"r\\A\\a.con"), L"D " + (t / L"r\\A\\AA"),
                                                  L"F " + (t / L"r\\A\\AA\\aa.con")}));
}

TEST(FolderScanner, MasksMatchCaseInsensitivelyOnTheRealNameOnly) {
    TempFolder t;
    t.touch(L"r\\A.eng");
    t.touch(L"r\\b.ENG");
    t.touch(L"r\\dash9.engx"); // its short name DASH9~1.ENG must not count
    t.touch(L"r\\c.wag");
    t.makeDir(L"r\\folder.eng");
    FolderScanner s;
    Recorder r;
    r.attach(s);
    s.root = t / L"r";
    s.masks = L"*.ENG";
    s.recurse = false;
    s.run();
    EXPECT_EQ(r.sortedFiles(), (std::vector<std::wstring>{t / L"r\\A.eng", t / L"r\\b.ENG"}));
}

TEST(FolderScanner, SeveralMasksReportAFileOncePerMatchingMask) {
    TempFolder t;
    t.touch(L"r\\a.eng");
    t.touch(L"r\\b.wag");
    FolderScanner s;
    Recorder r;
    r.attach(s);
    s.root = t / L"r";
    s.masks = L"*.eng;*.wag;a.*";
    s.run();
    EXPECT_EQ(r.sortedFiles(), (std::vector<std::wstring>{t / L"r\\a.eng", t / L"r\\a.eng", t / L"r\\b.wag"}));
}

TEST(FolderScanner, WithoutRecursionOnlyRootFilesButEverySubfolderMet) {
    TempFolder t;
    t.touch(L"r\\a.con");
    t.touch(L"r\\S1\\b.con");
    t.touch(L"r\\S2\\c.con");
    FolderScanner s;
    Recorder r;
    r.attach(s);
    s.root = t / L"r";
    s.recurse = false;
    s.run();
    EXPECT_EQ(r.files, (std::vector<std::wstring>{t / L"r\\a.con"}));
    EXPECT_EQ(r.folders.size(), 2u);
}

TEST(FolderScanner, HiddenFoldersAreWalkedAndNoFileHandlerStillWalks) {
    TempFolder t;
    t.touch(L"r\\H\\x.eng");
    t.touch(L"r\\H\\I\\y.eng");
    ::SetFileAttributesW((t / L"r\\H").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    {
        FolderScanner s;
        Recorder r;
        r.attach(s);
        s.root = t / L"r";
        s.run();
        EXPECT_EQ(r.sortedFiles(), (std::vector<std::wstring>{t / L"r\\H\\I\\y.eng", t / L"r\\H\\x.eng"}));
    }
    {
        FolderScanner s;
        Recorder r;
        r.attach(s, false);
        s.root = t / L"r";
        s.run();
        EXPECT_EQ(r.folders.size(), 2u);
        // One pump per listed file entry (".", ".." and the files too) and per sub-folder.
        EXPECT_GT(r.pumps, 2);
    }
    ::SetFileAttributesW((t / L"r\\H").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(FolderScanner, StateReadableFromHandlersAndUnreadableRootGivesNoEvents) {
    TempFolder t;
    t.writeBytes(L"r\\S\\a.eng", std::string("12345"));
    FolderScanner s;
    std::wstring name, folder;
    std::uint64_t size = 0;
    int depth = -1;
    std::uint32_t stamp = 0;
    // Last written on 15 July 2004 at 10:30:21 local time.
    {
        SYSTEMTIME st{2004, 7, 0, 15, 10, 30, 21, 0};
        FILETIME local{}, utc{};
        ASSERT_TRUE(SystemTimeToFileTime(&st, &local));
        ASSERT_TRUE(LocalFileTimeToFileTime(&local, &utc));
        HANDLE h = CreateFileW((t / L"r\\S\\a.eng").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0,
                               nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        SetFileTime(h, nullptr, nullptr, &utc);
        CloseHandle(h);
    }
    s.onFile = [&](FolderScanner& d, const std::wstring&) {
        name = d.currentFileName();
        size = d.currentFileSize();
        depth = d.currentDepth();
        folder = d.currentFolder();
        stamp = d.currentFileTime();
    };
    s.root = t / L"r";
    s.run();
    EXPECT_EQ(name, L"a.eng");
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(depth, 1);
    EXPECT_EQ(folder, t / L"r\\S");
    EXPECT_EQ(stamp >> 16, ((2004u - 1980u) << 9) | (7u << 5) | 15u);
    EXPECT_EQ(stamp & 0xFFFFu, (10u << 11) | (30u << 5) | (21u / 2u));

    EXPECT_FALSE(s.rootUnreadable());

    // A root that cannot be listed gives no events and says so; an empty one is read.
    Recorder r;
    r.attach(s);
    t.touch(L"a file");
    t.makeDir(L"empty");
    for (const wchar_t* root : {L"nothing-here", L"a file", L"empty"}) {
        s.root = t / root;
        s.masks = L"*.ENG";
        s.run();
        EXPECT_EQ(s.rootUnreadable(), std::wstring(root) != L"empty") << root;
    }
    EXPECT_TRUE(r.files.empty());
    EXPECT_TRUE(r.folders.empty());
    EXPECT_EQ(r.ends, 3);
}

TEST(FolderScanner, ARunStartedDuringARunIsRefused) {
    TempFolder t;
    t.touch(L"r\\a.eng");
    t.touch(L"r\\b.eng");
    FolderScanner s;
    int files = 0, nestedExecutes = 0;
    s.root = t / L"r";
    s.onStart = [&](FolderScanner&) { ++nestedExecutes; };
    s.onFile = [&](FolderScanner& d, const std::wstring&) {
        ++files;
        d.run(); // e.g. a click handled by the pump
    };
    s.run();
    EXPECT_EQ(files, 2);
    EXPECT_EQ(nestedExecutes, 1);
    EXPECT_FALSE(s.running());
}

TEST(WildcardMatch, WindowsStyleMasks) {
    EXPECT_TRUE(wildcardMatch(L"*.ENG", L"dash9.eng"));
    EXPECT_FALSE(wildcardMatch(L"*.ENG", L"dash9.engx"));
    EXPECT_TRUE(wildcardMatch(L"*.*", L"README"));
    EXPECT_TRUE(wildcardMatch(L"a?c.*", L"ABC.wag"));
    EXPECT_FALSE(wildcardMatch(L"a?c", L"abcd"));
    EXPECT_TRUE(wildcardMatch(L"*", L"x"));
    EXPECT_TRUE(wildcardMatch(L"*.ENG", L"GP38 (BN).v2.eng"));
    EXPECT_FALSE(wildcardMatch(L"*.ENG", L"a.eng.bak"));
    // "*." is the names without extension.
    EXPECT_TRUE(wildcardMatch(L"*.", L"README"));
    EXPECT_FALSE(wildcardMatch(L"*.", L"readme.txt"));
    // "?" takes nothing before a dot or at the end, one character elsewhere.
    EXPECT_TRUE(wildcardMatch(L"A?.ENG", L"a.eng"));
    EXPECT_TRUE(wildcardMatch(L"A?.ENG", L"ab.eng"));
    EXPECT_FALSE(wildcardMatch(L"A?.ENG", L"abc.eng"));
    EXPECT_TRUE(wildcardMatch(L"???", L"ab"));
    EXPECT_FALSE(wildcardMatch(L"?", L"ab"));
    EXPECT_TRUE(wildcardMatch(L"SD40.*", L"sd40"));
    EXPECT_FALSE(wildcardMatch(L"", L"x"));
}

TEST(FolderScanner, PumpCountsFollowTheListingsAndTicksCoverTheRestOfTheFolderListing) {
    TempFolder t;
    t.touch(L"r\\a.eng");
    t.touch(L"r\\b.wag");
    t.touch(L"r\\c.txt");
    t.touch(L"r\\S\\d.eng");
    FolderScanner s;
    int pumps = 0, ticks = 0, files = 0;
    s.pump = [&] { ++pumps; };
    s.tick = [&] { ++ticks; };
    s.onFile = [&](FolderScanner&, const std::wstring&) { ++files; };
    s.root = t / L"r";
    s.masks = L"*.ENG";
    s.run();
    EXPECT_EQ(files, 2);
    // Every file met by the sub-folder listings ticks (a.eng, b.wag and c.txt in r,
    // d.eng in S); the pumps stay those of the listed file entries and sub-folders.
    EXPECT_EQ(ticks, 4);
    // Without a tick handler the walk is the same.
    int pumpsBefore = pumps;
    pumps = 0;
    files = 0;
    s.tick = nullptr;
    s.run();
    EXPECT_EQ(files, 2);
    EXPECT_EQ(pumps, pumpsBefore);
}
