#include "scan/FolderScanner.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <initializer_list>
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

// A scanner over a throw-away folder, its events recorded.
class FolderScan : public ::testing::Test {
protected:
    void SetUp() override { r.attach(s); }
    void touch(std::initializer_list<const wchar_t*> files) {
        for (const wchar_t* f : files) t.touch(f);
    }
    void scan(const wchar_t* root, const wchar_t* masks = L"*.*", bool recurse = true) {
        s.root = t / root;
        s.masks = masks;
        s.recurse = recurse;
        s.run();
    }
    TempFolder t;
    FolderScanner s;
    Recorder r;
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

TEST_F(FolderScan, DepthLimitOneReportsRootAndChildFilesButListsGrandchildFolders) {
    touch({L"root\\a.eng", L"root\\X\\b.eng", L"root\\X\\Y\\c.eng", L"root\\X\\Y\\Z\\d.eng"});
    s.maxDepth = 1;
    scan(L"root", L"*.ENG");
    EXPECT_EQ(r.sortedFiles(), (std::vector<std::wstring>{t / L"root\\X\\b.eng", t / L"root\\a.eng"}));
    // Folders at depth 1 and 2 are met, nothing deeper is listed.
    EXPECT_EQ(r.folders, (std::vector<std::wstring>{t / L"root\\X", t / L"root\\X\\Y"}));
    EXPECT_EQ(r.executes, 1);
    EXPECT_EQ(r.ends, 1);
}

TEST_F(FolderScan, FilesComeBeforeSubfoldersAndSubtreesBeforeSiblings) {
    touch({L"r\\top.con", L"r\\A\\a.con", L"r\\A\\AA\\aa.con"});
    scan(L"r\\", L"*.con"); // a trailing backslash walks the same tree
    EXPECT_EQ(r.order, (std::vector<std::wstring>{L"F " + (t / L"r\\top.con"), L"D " + (t / L"r\\A"),
                                                  L"F " + (t / L"r\\A\\a.con"), L"D " + (t / L"r\\A\\AA"),
                                                  L"F " + (t / L"r\\A\\AA\\aa.con")}));
}

TEST_F(FolderScan, MasksMatchCaseInsensitivelyOnTheRealNameOnly) {
    touch({L"r\\A.eng", L"r\\b.ENG", L"r\\dash9.engx", L"r\\c.wag"}); // DASH9~1.ENG, a short name, must not count
    t.makeDir(L"r\\folder.eng");
    scan(L"r", L"*.ENG", false);
    EXPECT_EQ(r.sortedFiles(), (std::vector<std::wstring>{t / L"r\\A.eng", t / L"r\\b.ENG"}));
}

TEST_F(FolderScan, SeveralMasksReportAFileOncePerMatchingMask) {
    touch({L"r\\a.eng", L"r\\b.wag"});
    scan(L"r", L"*.eng;*.wag;a.*");
    EXPECT_EQ(r.sortedFiles(), (std::vector<std::wstring>{t / L"r\\a.eng", t / L"r\\a.eng", t / L"r\\b.wag"}));
}

TEST_F(FolderScan, WithoutRecursionOnlyRootFilesButEverySubfolderMet) {
    touch({L"r\\a.con", L"r\\S1\\b.con", L"r\\S2\\c.con"});
    scan(L"r", L"*.*", false);
    EXPECT_EQ(r.files, (std::vector<std::wstring>{t / L"r\\a.con"}));
    EXPECT_EQ(r.folders.size(), 2u);
}

TEST_F(FolderScan, HiddenFoldersAreWalkedAndNoFileHandlerStillWalks) {
    touch({L"r\\H\\x.eng", L"r\\H\\I\\y.eng"});
    ::SetFileAttributesW((t / L"r\\H").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    scan(L"r");
    EXPECT_EQ(r.sortedFiles(), (std::vector<std::wstring>{t / L"r\\H\\I\\y.eng", t / L"r\\H\\x.eng"}));
    FolderScanner foldersOnly;
    Recorder seen;
    seen.attach(foldersOnly, false);
    foldersOnly.root = t / L"r";
    foldersOnly.run();
    EXPECT_EQ(seen.folders.size(), 2u);
    // One pump per listed file entry (".", ".." and the files too) and per sub-folder.
    EXPECT_GT(seen.pumps, 2);
    ::SetFileAttributesW((t / L"r\\H").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FolderScan, StateReadableFromHandlersAndUnreadableRootGivesNoEvents) {
    t.writeBytes(L"r\\S\\a.eng", std::string("12345"));
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
    scan(L"r");
    EXPECT_EQ(name, L"a.eng");
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(depth, 1);
    EXPECT_EQ(folder, t / L"r\\S");
    EXPECT_EQ(stamp >> 16, ((2004u - 1980u) << 9) | (7u << 5) | 15u);
    EXPECT_EQ(stamp & 0xFFFFu, (10u << 11) | (30u << 5) | (21u / 2u));

    EXPECT_FALSE(s.rootUnreadable());

    // A root that cannot be listed gives no events and says so; an empty one is read.
    r = Recorder();
    r.attach(s);
    t.touch(L"a file");
    t.makeDir(L"empty");
    for (const wchar_t* root : {L"nothing-here", L"a file", L"empty"}) {
        scan(root, L"*.ENG");
        EXPECT_EQ(s.rootUnreadable(), std::wstring(root) != L"empty") << root;
    }
    EXPECT_TRUE(r.files.empty());
    EXPECT_TRUE(r.folders.empty());
    EXPECT_EQ(r.ends, 3);
}

TEST_F(FolderScan, ARunStartedDuringARunIsRefused) {
    touch({L"r\\a.eng", L"r\\b.eng"});
    int files = 0, nestedExecutes = 0;
    s.onStart = [&](FolderScanner&) { ++nestedExecutes; };
    s.onFile = [&](FolderScanner& d, const std::wstring&) {
        ++files;
        d.run(); // e.g. a click handled by the pump
    };
    scan(L"r");
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

TEST_F(FolderScan, PumpCountsFollowTheListingsAndTicksCoverTheRestOfTheFolderListing) {
    touch({L"r\\a.eng", L"r\\b.wag", L"r\\c.txt", L"r\\S\\d.eng"});
    int pumps = 0, ticks = 0, files = 0;
    s.pump = [&] { ++pumps; };
    s.tick = [&] { ++ticks; };
    s.onFile = [&](FolderScanner&, const std::wstring&) { ++files; };
    scan(L"r", L"*.ENG");
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
