#include "scan/ListingCache.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using namespace tw;
using twtest::TempFolder;

// One cache answers every question about a tree from one listing per folder,
// in any letter case, and tells an unlistable part from an absent one.
TEST(ListingCache, AnswersFromOneListingPerFolder) {
    TempFolder t;
    t.writeBytes(L"Set\\A\\a.eng", std::string(100, 'x'));
    t.writeBytes(L"Set\\A\\SOUND\\a.sms", std::string(20, 'x'));
    t.makeDir(L"Set\\A\\CABVIEW");
    ListingCache cache;
    const std::wstring set = extendedPath(t / L"Set");

    EXPECT_EQ(cache.fileState(set + L"\\a\\A.ENG"), PathState::Present);
    EXPECT_EQ(cache.fileState(set + L"\\A\\sound"), PathState::Absent); // a folder is no file
    EXPECT_EQ(cache.folderState(set + L"\\A\\Sound"), PathState::Present);
    EXPECT_EQ(cache.folderState(set + L"\\A\\a.eng"), PathState::Absent); // nor a file a folder
    EXPECT_EQ(cache.fileState(set + L"\\A\\CABVIEW\\x.cvf"), PathState::Absent);
    EXPECT_EQ(cache.listings(), 2u); // A, then its CABVIEW

    // A folder its listed parent lacks is absent without a call, however deep.
    EXPECT_EQ(cache.fileState(set + L"\\A\\CABVIEW3D\\x.s"), PathState::Absent);
    EXPECT_EQ(cache.folder(set + L"\\A\\CABVIEW3D").state, ListingState::Absent);
    EXPECT_EQ(cache.fileState(set + L"\\Gone\\x.eng"), PathState::Absent);
    EXPECT_EQ(cache.listings(), 3u); // Set, for Gone

    std::uint64_t bytes = 0;
    EXPECT_TRUE(cache.treeBytes(set + L"\\A", bytes));
    EXPECT_EQ(bytes, 120u);
    EXPECT_EQ(cache.listings(), 4u); // SOUND only: A and CABVIEW were listed already

    // Nothing on disk changes what the run has listed.
    t.touch(L"Set\\A\\late.wag");
    EXPECT_EQ(cache.fileState(set + L"\\A\\late.wag"), PathState::Absent);
}

TEST(ListingCache, FileWhereAFolderWouldBeHoldsNothing) {
    TempFolder t;
    t.touch(L"file");
    ListingCache cache;
    EXPECT_EQ(cache.folder(extendedPath(t / L"file")).state, ListingState::Absent);
    EXPECT_EQ(cache.fileState(extendedPath(t / L"file") + L"\\x.s"), PathState::Absent);
}
