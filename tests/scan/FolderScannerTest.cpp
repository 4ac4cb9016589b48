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
    std::vector<std::wstring> files, folders, order, names;
    int starts = 0, pumps = 0;
    void attach(FolderScanner& s) {
        s.onStart = [this](const std::wstring&) { ++starts; };
        s.pump = [this] { ++pumps; };
    }
    // The walk's arguments with this recorder's handlers.
    ScanArgs args(const std::wstring& root, const wchar_t* masks = L"*.*", bool recurse = true, bool withFiles = true) {
        ScanArgs a{.root = root, .masks = masks, .recurse = recurse};
        if (withFiles)
            a.onFile = [this](const std::wstring& path, std::wstring_view name) {
                files.push_back(path);
                names.emplace_back(name);
                order.push_back(L"F " + path);
            };
        a.onFolder = [this](const std::wstring& n) { folders.push_back(n); order.push_back(L"D " + n); };
        return a;
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
    ScanOutcome scan(const wchar_t* root, const wchar_t* masks = L"*.*", bool recurse = true, int maxDepth = -1) {
        ScanArgs a = r.args(t / root, masks, recurse);
        a.maxDepth = maxDepth;
        return s.run(a);
    }
    TempFolder t;
    FolderScanner s;
    Recorder r;
};
} // namespace

TEST_F(FolderScan, DepthLimitOneReportsRootAndChildFilesButListsGrandchildFolders) {
    touch({L"root\\a.eng", L"root\\X\\b.eng", L"root\\X\\Y\\c.eng", L"root\\X\\Y\\Z\\d.eng"});
    scan(L"root", L"*.ENG", true, 1);
    EXPECT_EQ(r.sortedFiles(), (std::vector<std::wstring>{t / L"root\\X\\b.eng", t / L"root\\a.eng"}));
    // Folders at depth 1 and 2 are met, nothing deeper is listed.
    EXPECT_EQ(r.folders, (std::vector<std::wstring>{t / L"root\\X", t / L"root\\X\\Y"}));
    EXPECT_EQ(r.starts, 1);
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
    seen.attach(foldersOnly);
    foldersOnly.run(seen.args(t / L"r", L"*.*", true, false));
    EXPECT_EQ(seen.folders.size(), 2u);
    // One pump per listed file entry (".", ".." and the files too) and per sub-folder.
    EXPECT_GT(seen.pumps, 2);
    ::SetFileAttributesW((t / L"r\\H").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FolderScan, HandlersGetTheNameAsListedAndAnUnreadableRootGivesNoEvents) {
    t.touch(L"r\\S\\A.Eng");
    EXPECT_FALSE(scan(L"r").rootUnreadable);
    EXPECT_EQ(r.names, std::vector<std::wstring>{L"A.Eng"});

    // A root that cannot be listed gives no events and says so; an empty one is read.
    r = Recorder();
    r.attach(s);
    t.touch(L"a file");
    t.makeDir(L"empty");
    for (const wchar_t* root : {L"nothing-here", L"a file", L"empty"})
        EXPECT_EQ(scan(root, L"*.ENG").rootUnreadable, std::wstring(root) != L"empty") << root;
    EXPECT_TRUE(r.files.empty());
    EXPECT_TRUE(r.folders.empty());
    EXPECT_EQ(r.starts, 3);
}

TEST_F(FolderScan, ARunStartedDuringARunIsRefused) {
    touch({L"r\\a.eng", L"r\\b.eng"});
    int files = 0;
    ScanArgs args{.root = t / L"r"};
    args.onFile = [&](const std::wstring&, std::wstring_view) {
        ++files;
        s.run(args); // e.g. a click handled by the pump
    };
    s.run(args);
    EXPECT_EQ(files, 2);
    EXPECT_EQ(r.starts, 1);
    EXPECT_FALSE(s.running());
}

TEST(WildcardMask, WindowsStyleMasks) {
    EXPECT_TRUE(WildcardMask(L"*.ENG").matches(L"dash9.eng"));
    EXPECT_FALSE(WildcardMask(L"*.ENG").matches(L"dash9.engx"));
    EXPECT_TRUE(WildcardMask(L"*.*").matches(L"README"));
    EXPECT_TRUE(WildcardMask(L"a?c.*").matches(L"ABC.wag"));
    EXPECT_FALSE(WildcardMask(L"a?c").matches(L"abcd"));
    EXPECT_TRUE(WildcardMask(L"*").matches(L"x"));
    EXPECT_TRUE(WildcardMask(L"*.ENG").matches(L"GP38 (BN).v2.eng"));
    EXPECT_FALSE(WildcardMask(L"*.ENG").matches(L"a.eng.bak"));
    // "*." is the names without extension.
    EXPECT_TRUE(WildcardMask(L"*.").matches(L"README"));
    EXPECT_FALSE(WildcardMask(L"*.").matches(L"readme.txt"));
    // "?" takes nothing before a dot or at the end, one character elsewhere.
    EXPECT_TRUE(WildcardMask(L"A?.ENG").matches(L"a.eng"));
    EXPECT_TRUE(WildcardMask(L"A?.ENG").matches(L"ab.eng"));
    EXPECT_FALSE(WildcardMask(L"A?.ENG").matches(L"abc.eng"));
    EXPECT_TRUE(WildcardMask(L"???").matches(L"ab"));
    EXPECT_FALSE(WildcardMask(L"?").matches(L"ab"));
    EXPECT_TRUE(WildcardMask(L"SD40.*").matches(L"sd40"));
    EXPECT_FALSE(WildcardMask(L"").matches(L"x"));
}

TEST_F(FolderScan, PumpCountsFollowTheListingsAndTicksCoverTheRestOfTheFolderListing) {
    touch({L"r\\a.eng", L"r\\b.wag", L"r\\c.txt", L"r\\S\\d.eng"});
    int pumps = 0, ticks = 0, files = 0;
    s.pump = [&] { ++pumps; };
    s.tick = [&] { ++ticks; };
    ScanArgs args{.root = t / L"r", .masks = L"*.ENG"};
    args.onFile = [&](const std::wstring&, std::wstring_view) { ++files; };
    s.run(args);
    EXPECT_EQ(files, 2);
    // Every file met by the sub-folder listings ticks (a.eng, b.wag and c.txt in r,
    // d.eng in S); the pumps stay those of the listed file entries and sub-folders.
    EXPECT_EQ(ticks, 4);
    // Without a tick handler the walk is the same.
    int pumpsBefore = pumps;
    pumps = 0;
    files = 0;
    s.tick = nullptr;
    s.run(args);
    EXPECT_EQ(files, 2);
    EXPECT_EQ(pumps, pumpsBefore);
}
