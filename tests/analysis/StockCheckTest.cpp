// The stock check: what stock files name, how names are resolved, and what
// the check makes of a small installation.
#include "analysis/ConsistReader.h"
#include "analysis/StockCheck.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace tw;
using twtest::TempFolder;
using twtest::makeFolderLink;

namespace {
std::vector<unsigned char> utf16File(const std::wstring& body) {
    std::vector<unsigned char> bytes{0xFF, 0xFE};
    for (wchar_t c : L"SIMISA@@@@@@@@@@JINX0D0t______\r\n\r\n" + body)
        if (c) bytes.insert(bytes.end(), {static_cast<unsigned char>(c & 0xFF), static_cast<unsigned char>(c >> 8)});
    return bytes;
}

std::vector<std::pair<StockReferenceKind, std::wstring>> entries(const std::vector<unsigned char>& bytes) {
    std::wstring text;
    EXPECT_EQ(readStockText(bytes, text), StockTextProblem::None);
    std::vector<std::pair<StockReferenceKind, std::wstring>> out;
    for (const auto& r : stockReferences(text)) out.emplace_back(stockReferenceKind(r.keyword), r.name + r.folder);
    return out;
}
std::vector<unsigned char> bytesOf(const std::string& s) { return {s.begin(), s.end()}; }
} // namespace

TEST(StockFileReader, FindsEachEntryAsAWholeWordFollowedByAnOpenMark) {
    using K = StockReferenceKind;
    const auto found = entries(utf16File(
        L"Wagon ( x\r\n\twagonshape\t( \"My Car.s\" )\r\n// Sound ( commented.sms )\r\n"
        L"\tFreightAnim ( load.s 0 1 ) PassengerCabinFile(pass.s)\r\n\tORTSSound ( no.sms ) Sounds ( no.sms )\r\n"
        L"\tName ( \"Sound ( quoted.sms )\" ) Sound ( \"\" ) Sound ( ) Sound x.sms\r\n"
        L"\tCabView ( ..\\\\..\\\\Common.cabs\\\\a.cvf ) ORTS3DCabFile ( b.s ) SOUND ( c.sms ) include ( ../base.eng )\r\n)"));
    const std::vector<std::pair<K, std::wstring>> expected{
        {K::Shape, L"My Car.s"}, {K::FreightAnim, L"load.s"}, {K::PassengerView, L"pass.s"},
        {K::Cab, L"..\\\\..\\\\Common.cabs\\\\a.cvf"}, {K::Cab3d, L"b.s"}, {K::Sound, L"c.sms"}, {K::Include, L"../base.eng"}};
    EXPECT_EQ(found, expected);

    // 8-bit text: Windows-1252, its first line the header as in the 16-bit form.
    const std::string eight = "SIMISA@@@@@@@@@@JINX0D0t______\r\nWagon ( WagonShape ( caf\xE9\x80.s ) )";
    EXPECT_EQ(entries(bytesOf(eight)), (std::vector<std::pair<K, std::wstring>>{{K::Shape, L"caf\u00E9\u20AC.s"}}));
}

TEST(StockFileReader, SkipsTheBlocksTheSimulatorSkipsAndReadsOpenRailsEntries) {
    using K = StockReferenceKind;
    const auto found = entries(utf16File(
        L"include ../[[samename]]\r\nWagon ( #MT_Class47 $Repaint Comment ( WagonShape ( old.s ) ) SKIP ( \")\" Sound ( a ) )\r\n"
        L"\t_Sound ( b.sms ) #WagonShape( c.s ) WagonShape ( #MT_Class47.s ) Shape ( not.s )\r\n"
        L"\tORTSFreightAnims ( ORTSFreightAnimContinuous ( Shape ( coal.s ) ) LoadData ( Coal \"Bulk Loads\" Empty ) )\r\n"
        L"\tShape ( after.s ) Coupling ( FrontCouplerAnim ( c.s 1 ) RearAirHoseDiconnectedAnim ( h.s ) )\r\n"
        L"\tORTSTrainControlSystem ( MyTcs ) ORTSPowerSupply ( default ) ORTSCircuitBreaker ( PushButtons )\r\n"
        L"\tORTSTrainControlSystemParameters ( p.ini ) ORTSTrainControlSystemSound ( t.sms ) )"));
    const std::vector<std::pair<K, std::wstring>> expected{
        {K::Include, L"../[[samename]]"}, {K::Shape, L"#MT_Class47.s"}, {K::FreightAnim, L"coal.s"},
        {K::Load, L"CoalBulk Loads"}, {K::Coupler, L"c.s"}, {K::Coupler, L"h.s"}, {K::Script, L"MyTcs"},
        {K::Script, L"p.ini"}, {K::Sound, L"t.sms"}};
    EXPECT_EQ(found, expected);
}

TEST(StockFileReader, DecodesByteOrderMarksAndRefusesWhatTheSimulatorCannotRead) {
    using K = StockReferenceKind;
    const std::string body = "h\r\nWagon ( WagonShape ( caf\xC3\xA9.s ) )";
    EXPECT_EQ(entries(bytesOf("\xEF\xBB\xBF" + body)), (std::vector<std::pair<K, std::wstring>>{{K::Shape, L"caf\u00E9.s"}}));
    std::string big = "\xFE\xFF";
    for (char c : std::string("h\r\nWagon ( Sound ( s.sms ) )")) big += std::string{'\0', c};
    EXPECT_EQ(entries(bytesOf(big)), (std::vector<std::pair<K, std::wstring>>{{K::Sound, L"s.sms"}}));
    EXPECT_EQ(entries(bytesOf("h\r\nWagon ( Sound ( s.sms ) )" + std::string(3, '\0'))).size(), 1u) << "zeros at the end";

    std::wstring text;
    const auto problem = [&](const std::vector<unsigned char>& bytes) { return readStockText(bytes, text); };
    EXPECT_EQ(problem(bytesOf("h\r\nWagon ( " + std::string(1, '\0') + " Sound ( s.sms ) )")), StockTextProblem::ZeroCharacter);
    EXPECT_TRUE(text.empty());
    auto zero16 = utf16File(L"Wagon ( Sound ( s.sms ) )");
    zero16.insert(zero16.begin() + 8, {0, 0});
    EXPECT_EQ(problem(zero16), StockTextProblem::ZeroCharacter);
    EXPECT_EQ(problem({zero16.begin() + 2, zero16.end()}), StockTextProblem::NoByteOrderMark);
    EXPECT_EQ(problem(utf16File(L"Wagon ( Name ( \"a ) \"b\" )")), StockTextProblem::UnpairedQuotes);
    EXPECT_TRUE(text.empty());
}

TEST(StockFileReader, JoinsNamesToTheirFolderAsText) {
    EXPECT_EQ(joinStockPath(L"C:\\MSTS\\TRAINS\\TRAINSET\\A\\SOUND", L"..\\\\..\\\\Common.sound\\\\x.sms"),
              L"C:\\MSTS\\TRAINS\\TRAINSET\\Common.sound\\x.sms");
    EXPECT_EQ(joinStockPath(L"C:\\MSTS\\A", L"..//..//./B/.\\x.s"), L"C:\\B\\x.s");
    EXPECT_EQ(joinStockPath(L"C:\\A", L"..\\..\\..\\x.s"), L"C:\\x.s") << "the drive is never climbed over";
    EXPECT_EQ(joinStockPath(L"\\\\server\\share\\A", L"..\\..\\x.s"), L"\\\\server\\share\\x.s");
    EXPECT_EQ(joinStockPath(L"\\\\?\\C:\\T\\A.", L"..\\DotT. \\dot.s."), L"\\\\?\\C:\\T\\DotT\\dot.s")
        << "a name's parts lose their trailing dots and blanks, the folder's are as listed";
    EXPECT_EQ(joinStockPath(L"\\\\?\\C:\\T\\A", L"D:\\Other\\x.s"), L"\\\\?\\D:\\Other\\x.s");
    EXPECT_EQ(joinStockPath(L"\\\\?\\C:\\T\\A", L"//srv/sh/x.s"), L"\\\\?\\UNC\\srv\\sh\\x.s");
    EXPECT_EQ(joinStockPath(L"C:\\T", L"\\\\srv\\\\sh\\x.s"), L"\\\\srv\\sh\\x.s");
    EXPECT_EQ(joinStockPath(L"\\\\?\\UNC\\srv\\sh\\A", L"..\\..\\x.s"), L"\\\\?\\UNC\\srv\\sh\\x.s");
    EXPECT_EQ(includePath(L"C:\\T\\A\\OpenRails\\a.eng", L"../[[SameName]]"), L"C:\\T\\A\\a.eng");
    EXPECT_EQ(shownStockName(L"..\\\\..\\x\\\\\\y.s"), L"..\\..\\x\\y.s");

    const StockFolders folders{L"C:\\S\\TRAINS\\TRAINSET\\A", L"C:\\S\\TRAINS\\TRAINSET", L"C:\\S"};
    const auto paths = [&](StockKeyword k, const wchar_t* name, const wchar_t* folder = L"") {
        return stockReferencePaths({k, name, folder}, folders);
    };
    EXPECT_EQ(paths(StockKeyword::OrtsTrainControlSystemSound, L"t.sms"),
              (std::vector<std::wstring>{L"C:\\S\\TRAINS\\TRAINSET\\A\\SOUND\\t.sms", L"C:\\S\\SOUND\\t.sms"}));
    EXPECT_EQ(paths(StockKeyword::LoadData, L"Coal", L"Loads"),
              (std::vector<std::wstring>{L"C:\\S\\TRAINS\\TRAINSET\\Loads\\Coal.load-or", L"C:\\S\\TRAINS\\TRAINSET\\Loads\\Coal.loa"}));
    EXPECT_EQ(paths(StockKeyword::OrtsPowerSupply, L"Ps"), std::vector<std::wstring>{L"C:\\S\\TRAINS\\TRAINSET\\A\\Script\\Ps.cs"});
    EXPECT_EQ(paths(StockKeyword::OrtsPowerSupply, L"Ps.dll"), std::vector<std::wstring>{L"C:\\S\\TRAINS\\TRAINSET\\A\\Script\\Ps.dll"});
    EXPECT_EQ(paths(StockKeyword::OrtsTrainControlSystemParameters, L"p"), std::vector<std::wstring>{L"C:\\S\\TRAINS\\TRAINSET\\A\\Script\\p"});
}

namespace {
class StockCheckTest : public ::testing::Test {
protected:
    TempFolder t;
    StockSet used, orphans, stock;
    MissingStock missing;

    // A stock file holding the given entries, in the simulator's trainset.
    void stockFile(const std::wstring& rel, const std::wstring& entries, bool isUsed) {
        auto bytes = utf16File(L"Wagon ( x " + entries + L" )");
        t.writeBytes(L"MSTS\\TRAINS\\TRAINSET\\" + rel, bytes);
        stock.add(rel);
        (isUsed ? used : orphans).add(rel);
    }
    void file(const std::wstring& rel, std::size_t size) {
        t.writeBytes(L"MSTS\\TRAINS\\TRAINSET\\" + rel, std::string(size, 'x'));
    }
    StockCheckResult run(const std::wstring& store = L"") {
        return checkStock({t / L"MSTS", store.empty() ? L"" : t / store, used, orphans, stock, missing}, nullptr);
    }
};

std::vector<std::wstring> names(const std::vector<TrainsetFolder>& folders) {
    std::vector<std::wstring> out;
    for (const auto& f : folders) out.push_back(f.folder);
    return out;
}
} // namespace

TEST_F(StockCheckTest, SortsFoldersIntoRemovableUnneededAndKeptAndListsBrokenStock) {
    stockFile(L"Loco\\loco.eng", L"WagonShape ( LOCO.S ) Sound ( \"..\\\\..\\\\Common.sound\\\\l.sms\" ) "
                                 L"CabView ( gone.cvf ) Sound ( shared.sms ) Include ( ..\\Base\\x.inc )", true);
    stockFile(L"Repaint\\r.wag", L"WagonShape ( ..\\Base\\base.s ) WagonShape ( nothere.s )", false);
    stockFile(L"Old\\old.wag", L"WagonShape ( old.s ) FreightAnim ( ..\\OrphanOnly\\o.s )", false);
    stockFile(L"Old\\sub\\older.wag", L"", false);
    file(L"Loco\\loco.s", 10);
    file(L"Common.sound\\l.sms", 10);
    file(L"Base\\base.s", 10);
    file(L"Base\\x.inc", 10);
    file(L"Old\\old.s", 2000);
    file(L"Old\\sub\\tex.ace", 1000);
    file(L"OrphanOnly\\o.s", 10);
    file(L"Spare\\a.ace", 3000);
    file(L"Spare\\deeper\\b.ace", 72);
    file(L"DEFAULT\\d.ace", 10);
    t.writeBytes(L"MSTS\\SOUND\\shared.sms", std::string("s"));
    t.makeDir(L"MSTS\\TRAINS\\TRAINSET\\Loco\\CABVIEW\\gone.cvf"); // a folder is no file
    missing.add(MissingKind::File, L"GONE\\R.WAG");
    missing.add(MissingKind::Folder, L"NONE\\NOWHERE.ENG");

    // A stock file held open without sharing cannot be read: listed, and the check goes on.
    HANDLE held = CreateFileW((t / L"MSTS\\TRAINS\\TRAINSET\\Old\\sub\\older.wag").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const StockCheckResult r = run();
    CloseHandle(held);
    ASSERT_EQ(r.unreadable.size(), 1u);
    EXPECT_EQ(r.unreadable[0].file, L"Old\\sub\\older.wag");
    EXPECT_EQ(r.unreadable[0].problem, StockTextProblem::CannotOpen);
    EXPECT_TRUE(r.blockedBy.empty()) << "an orphan that cannot be read blocks nothing";
    EXPECT_EQ(r.stockFilesRead, 3u);
    ASSERT_EQ(r.broken.size(), 2u);
    EXPECT_EQ(r.broken[0].stock, L"Loco\\loco.eng") << "used stock first";
    EXPECT_TRUE(r.broken[0].used);
    ASSERT_EQ(r.broken[0].absent.size(), 1u);
    EXPECT_EQ(r.broken[0].absent[0].kind, StockReferenceKind::Cab);
    EXPECT_EQ(r.broken[0].absent[0].path, L"Loco\\CABVIEW\\gone.cvf");
    EXPECT_EQ(r.broken[1].stock, L"Repaint\\r.wag");
    EXPECT_EQ(r.broken[1].absent[0].name, L"nothere.s");

    EXPECT_EQ(names(r.removable), std::vector<std::wstring>{L"Old"}) << "Repaint holds what a consist misses";
    const std::size_t stockBytes = utf16File(L"Wagon ( x WagonShape ( old.s ) FreightAnim ( ..\\OrphanOnly\\o.s ) )").size() +
                                   utf16File(L"Wagon ( x  )").size();
    EXPECT_EQ(r.removable[0].bytes, 3000u + stockBytes) << "every file beneath it, every level";
    EXPECT_EQ(names(r.unneeded), std::vector<std::wstring>{L"Spare"}) << "OrphanOnly is named by an orphan";
    EXPECT_EQ(r.unneeded[0].bytes, 3072u);
    EXPECT_EQ(names(r.kept), (std::vector<std::wstring>{L"Base", L"Common.sound", L"Repaint"}));
    EXPECT_EQ(r.kept[0].neededBy, std::vector<std::wstring>{L"Loco\\loco.eng"});
    EXPECT_EQ(r.kept[2].missedBy, std::vector<std::wstring>{L"GONE\\R.WAG"});
    ASSERT_EQ(r.foundElsewhere.size(), 1u);
    EXPECT_EQ(r.foundElsewhere[0].candidates, std::vector<std::wstring>{L"Repaint\\r.wag"});
    EXPECT_TRUE(r.unlisted.empty());
}

TEST_F(StockCheckTest, ListsEachFolderOnceHoweverManyReferencesLookIntoIt) {
    std::wstring many;
    for (int i = 0; i < 50; ++i) many += L"WagonShape ( ..\\Shared\\s" + std::to_wstring(i % 5) + L".s ) ";
    for (int i = 0; i < 20; ++i) stockFile(L"F" + std::to_wstring(i) + L"\\w.wag", many, i % 2 == 0);
    for (int i = 0; i < 5; ++i) file(L"Shared\\s" + std::to_wstring(i) + L".s", 1);
    const StockCheckResult r = run();
    EXPECT_EQ(r.stockFilesRead, 20u);
    EXPECT_TRUE(r.broken.empty());
    // TRAINSET and its 21 folders, each once: sizes and references share the listings.
    EXPECT_EQ(r.folderListings, 22u);
    EXPECT_EQ(names(r.kept), std::vector<std::wstring>{L"Shared"});
    EXPECT_EQ(r.kept[0].neededBy.size(), 3u);
}

// A chain of includes deeper than any real stock is cut as a loop rather than
// followed until the stack runs out.
TEST_F(StockCheckTest, CutsAnEndlessChainOfIncludes) {
    for (int i = 0; i < 150; ++i)
        t.writeBytes(L"MSTS\\TRAINS\\TRAINSET\\Deep\\" + std::to_wstring(i) + L".inc",
                     utf16File(L"include ( " + std::to_wstring(i + 1) + L".inc )"));
    stockFile(L"Deep\\d.wag", L"include ( 0.inc )", true);
    const StockCheckResult r = run();
    ASSERT_EQ(r.broken.size(), 1u);
    ASSERT_EQ(r.broken[0].absent.size(), 1u);
    EXPECT_TRUE(r.broken[0].absent[0].includeLoop);
}

TEST_F(StockCheckTest, ReadsIncludesAndOpenRailsFilesOnceAndNamesIncludeLoops) {
    const std::wstring shared = L"include ( ..\\SHARED\\common.inc )"; // the folder is named as listed
    stockFile(L"A\\a.wag", shared, true);
    stockFile(L"B\\b.wag", shared + L" Comment ( WagonShape ( ..\\Old\\x.s ) )", true);
    stockFile(L"Old\\x.wag", L"", false);
    t.writeBytes(L"MSTS\\TRAINS\\TRAINSET\\Shared\\common.inc",
                 utf16File(L"Sound ( ..\\..\\Sounds\\s.sms ) include ( [[samename]].more )"));
    t.writeBytes(L"MSTS\\TRAINS\\TRAINSET\\Shared\\common.inc.more", utf16File(L"include ( common.inc )"));
    file(L"Sounds\\s.sms", 1);
    // Open Rails reads A's own file from its OpenRails folder, which includes the stock file.
    t.writeBytes(L"MSTS\\TRAINS\\TRAINSET\\A\\openrails\\A.WAG",
                 utf16File(L"include ( ../[[samename]] ) Wagon ( ORTSFreightAnims ( Shape ( load.s ) "
                           L"LoadData ( Coal Loads ) ) ORTSPowerSupply ( Default ) ORTSCircuitBreaker ( Cb ) )"));
    file(L"A\\load.s", 1);
    file(L"Loads\\Coal.loa", 1);

    const StockCheckResult r = run();
    EXPECT_EQ(r.stockFilesRead, 3u);
    EXPECT_EQ(r.filesRead, 6u) << "three stock files, A's Open Rails file and the two includes, each once";
    ASSERT_EQ(r.broken.size(), 2u);
    EXPECT_TRUE(r.broken[0].openRailsFile);
    ASSERT_EQ(r.broken[0].absent.size(), 2u);
    EXPECT_EQ(r.broken[0].absent[0].path, L"Shared\\common.inc");
    EXPECT_TRUE(r.broken[0].absent[0].includeLoop) << "the name that closes the loop";
    EXPECT_EQ(r.broken[0].absent[1].kind, StockReferenceKind::Script);
    EXPECT_EQ(r.broken[0].absent[1].path, L"A\\Script\\Cb.cs");
    EXPECT_FALSE(r.broken[1].openRailsFile);
    EXPECT_EQ(names(r.kept), (std::vector<std::wstring>{L"Loads", L"Shared", L"Sounds"}));
    EXPECT_EQ(names(r.removable), std::vector<std::wstring>{L"Old"}) << "a commented name keeps nothing";
}

TEST_F(StockCheckTest, NeverCallsAFolderRemovableThatAnythingMayNeed) {
    stockFile(L"Loco\\l.eng", L"WagonShape ( l.s )", true);
    file(L"Loco\\l.s", 1);
    stockFile(L"Old\\o.wag", L"", false);
    file(L"Spare\\x.ace", 10);
    // The Train Store's copy of the used stock file differs: what it names keeps its folder.
    t.writeBytes(L"Store\\TRAINS\\TRAINSET\\Loco\\l.eng", utf16File(L"Wagon ( WagonShape ( ..\\Parts\\p.s ) )"));
    t.writeBytes(L"Store\\TRAINS\\TRAINSET\\Parts\\p.s", std::string("p"));
    t.writeBytes(L"Store\\TRAINS\\TRAINSET\\Spare2\\y.ace", std::string("y"));
    StockCheckResult r = run(L"Store");
    EXPECT_EQ(r.stockFilesRead, 3u);
    EXPECT_EQ(names(r.kept), std::vector<std::wstring>{L"Parts"});
    EXPECT_EQ(names(r.removable), std::vector<std::wstring>{L"Old"});
    EXPECT_EQ(names(r.unneeded), (std::vector<std::wstring>{L"Spare", L"Spare2"}));

    // A link to a folder is that folder: used stock reached through it keeps both, and the link frees nothing.
    if (makeFolderLink(t / L"MSTS\\TRAINS\\TRAINSET\\Alias", t / L"MSTS\\TRAINS\\TRAINSET\\Spare")) {
        r = run();
        EXPECT_EQ(names(r.unneeded), (std::vector<std::wstring>{L"Alias", L"Spare"}));
        EXPECT_TRUE(r.unneeded[0].link);
        EXPECT_EQ(r.unneeded[0].linkedTo, L"Spare");
        EXPECT_EQ(r.unneeded[0].bytes, 0u);
        EXPECT_EQ(r.unneeded[1].bytes, 10u);
        // A link into a folder of another: what keeps the link keeps that folder.
        file(L"Spare2\\deep\\y.ace", 1);
        ASSERT_TRUE(makeFolderLink(t / L"MSTS\\TRAINS\\TRAINSET\\Deep", t / L"MSTS\\TRAINS\\TRAINSET\\Spare2\\deep"));
        stockFile(L"Loco\\l.eng", L"WagonShape ( ..\\Alias\\x.ace ) WagonShape ( ..\\Deep\\y.ace )", true);
        r = run();
        EXPECT_TRUE(r.unneeded.empty());
        EXPECT_EQ(names(r.kept), (std::vector<std::wstring>{L"Alias", L"Deep", L"Spare", L"Spare2"}));
        EXPECT_EQ(r.kept[1].linkedTo, L"Spare2\\deep");
        // A link inside a folder: the file reached through it keeps the folder it leads to.
        file(L"Sounds\\snd\\s.sms", 1);
        ASSERT_TRUE(makeFolderLink(t / L"MSTS\\TRAINS\\TRAINSET\\Loco\\snd", t / L"MSTS\\TRAINS\\TRAINSET\\Sounds\\snd"));
        stockFile(L"Loco\\l.eng", L"WagonShape ( snd\\s.sms )", true);
        r = run();
        EXPECT_EQ(names(r.kept), std::vector<std::wstring>{L"Sounds"});
    }

    // A consist naming a file deeper than step 2 looks keeps the folder that holds it.
    file(L"Deeper\\Sub\\d.eng", 1);
    stockFile(L"Deeper\\orphan.wag", L"", false);
    missing.add(MissingKind::File, L"DEEPER\\SUB\\D.ENG");
    r = run();
    const auto kept = names(r.kept);
    EXPECT_NE(std::find(kept.begin(), kept.end(), L"Deeper"), kept.end());

    // A used stock file that cannot be read as the simulator would may name any folder.
    std::string zero = "h\r\nWagon ( WagonShape ( l.s ) )";
    zero.insert(5, 1, '\0');
    t.writeBytes(L"MSTS\\TRAINS\\TRAINSET\\Loco\\l.eng", zero);
    r = run();
    EXPECT_EQ(r.blockedBy, L"Loco\\l.eng");
    EXPECT_TRUE(r.removable.empty());
    EXPECT_TRUE(r.unneeded.empty());
    ASSERT_EQ(r.unreadable.size(), 1u);
    EXPECT_EQ(r.unreadable[0].problem, StockTextProblem::ZeroCharacter);
}
