// The route check on small installations: what each activity and timetable
// needs, whether it starts, what nothing plays, and what cannot be read.
#include "analysis/RouteCheck.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace tw;
using twtest::TempFolder;

namespace {
class RouteCheckTest : public ::testing::Test {
protected:
    TempFolder t;
    StockSet stock, used;

    void service(const std::wstring& route, const std::wstring& name, const std::wstring& consist, const std::wstring& path) {
        t.writeUtf16(L"MSTS\\ROUTES\\" + route + L"\\SERVICES\\" + name + L".srv",
                     L"SIMISA@@@@@@@@@@JINX0v0t______\r\n\r\nService_Definition ( Train_Config ( \"" + consist +
                         L"\" ) PathID ( \"" + path + L"\" ) )");
    }
    void consist(const std::wstring& name, const std::vector<twtest::ConsistEntry>& entries, const std::wstring& extra = L"") {
        t.writeUtf16(L"MSTS\\TRAINS\\CONSISTS\\" + name + L".con", twtest::consistText(name, entries) + extra);
    }
    RouteCheckResult run() { return checkRoutes({t / L"MSTS", stock, used}, nullptr); }
};

std::wstring pieces(const BrokenRun& run) {
    static const wchar_t* const kinds[] = {L"service", L"traffic", L"consist", L"path", L"stock", L"eot"};
    std::wstring out;
    for (const AbsentPiece& p : run.missing)
        out += std::wstring(kinds[static_cast<int>(p.kind)]) + L":" + p.name + (p.via.empty() ? L"" : L"<" + p.via) + L" ";
    return out;
}
} // namespace

TEST_F(RouteCheckTest, JoinsActivitiesAndTimetablesToTheDiskAndTellsWhichStart) {
    // R1: the support's activity (player "Coal Drag", traffic "Busy day" with
    // "Mixed Freight"), its loose consist using a present and an absent vehicle.
    t.writeUtf16(L"MSTS\\ROUTES\\R1\\activities\\a.ACT",
                 twtest::activityText({{'W', L"box", L"FREIGHT"}, {'E', L"gone", L"GONE"}}));
    service(L"R1", L"coal drag", L"Coal Drag", L"P1");
    service(L"R1", L"Mixed Freight", L"Mixed Freight", L"Gone Path");
    t.touch(L"MSTS\\ROUTES\\R1\\PATHS\\p1.PAT");
    t.touch(L"MSTS\\ROUTES\\R1\\TRAFFIC\\Busy day.trf");
    consist(L"Coal Drag", {{'E', L"dash9", L"DASH9"}}, L"\r\nEOTData ( Red EOTS )");
    consist(L"Mixed Freight", {{'W', L"coach", L"PASS"}});
    consist(L"Spare", {{'W', L"spare", L"SPARE"}, {'W', L"box", L"FREIGHT"}});
    consist(L"Also", {{'E', L"dash9", L"DASH9"}});
    for (const wchar_t* item : {L"DASH9\\dash9.eng", L"FREIGHT\\box.wag", L"SPARE\\spare.wag"}) stock.add(item), used.add(item);
    t.writeBytes(L"MSTS\\ROUTES\\R1\\ACTIVITIES\\OPENRAILS\\t.timetable_or",
                 std::string(";T1;T2\r\n#consist;Coal Drag+<Odd+Name>;mixed freight $reverse\r\n#path;P1;Lost\r\n#start;1;2"));
    t.writeBytes(L"MSTS\\ROUTES\\R1\\ACTIVITIES\\OPENRAILS\\bad.timetable-or", std::string("T1;T2\r\n#consist;x"));
    // R2: an activity whose player service is absent, one that is not text, one held open without sharing.
    t.writeUtf16(L"MSTS\\ROUTES\\R2\\ACTIVITIES\\b.act", L"SIMISA\r\n\r\nPlayer_Service_Definition ( Nowhere )");
    t.writeBytes(L"MSTS\\ROUTES\\R2\\ACTIVITIES\\c.act", std::vector<unsigned char>{0xFF, 0xFE, 'x'});
    const std::wstring held = t.writeUtf16(L"MSTS\\ROUTES\\R2\\ACTIVITIES\\d.act", L"SIMISA\r\n\r\n");
    HANDLE h = CreateFileW(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    const RouteCheckResult r = run();
    CloseHandle(h);

    EXPECT_EQ(r.routesRead, 2u);
    EXPECT_EQ(r.activitiesRead, 2u);
    EXPECT_EQ(r.timetablesRead, 1u);
    EXPECT_EQ(r.trainsRead, 2u);
    ASSERT_EQ(r.broken.size(), 3u);
    EXPECT_EQ(r.broken[0].file, L"activities\\a.ACT");
    EXPECT_TRUE(r.broken[0].starts) << "only a traffic service's path, stock and devices are absent";
    EXPECT_EQ(pieces(r.broken[0]),
              L"eot:EOTS\\Red.eot<Coal Drag stock:PASS\\COACH.WAG<Mixed Freight path:Gone Path<Mixed Freight "
              L"stock:GONE\\GONE.ENG ");
    EXPECT_EQ(r.broken[1].file, L"activities\\OPENRAILS\\t.timetable_or");
    EXPECT_TRUE(r.broken[1].timetable && r.broken[1].starts);
    EXPECT_EQ(pieces(r.broken[1]),
              L"eot:EOTS\\Red.eot<Coal Drag consist:Odd+Name<T1 stock:PASS\\COACH.WAG<mixed freight path:Lost<T2 ");
    EXPECT_EQ(r.broken[2].route, L"R2");
    EXPECT_FALSE(r.broken[2].starts);
    EXPECT_EQ(pieces(r.broken[2]), L"service:Nowhere ");

    ASSERT_EQ(r.unreadable.size(), 3u);
    EXPECT_EQ(r.unreadable[0].file, L"activities\\OPENRAILS\\bad.timetable-or");
    EXPECT_EQ(r.unreadable[0].reason, RouteUnreadableReason::NotATimetable);
    EXPECT_EQ(r.unreadable[1].reason, RouteUnreadableReason::Undecodable);
    EXPECT_EQ(r.unreadable[2].file, L"ACTIVITIES\\d.act");
    EXPECT_EQ(r.unreadable[2].reason, RouteUnreadableReason::Unreadable);

    EXPECT_EQ(r.unplayedConsists, (std::vector<std::wstring>{L"Also.con", L"Spare.con"}));
    EXPECT_EQ(r.onlyUnplayedStock, std::vector<std::wstring>{L"SPARE\\spare.wag"})
        << "the dash9 is played by Coal Drag, the box by the loose consist";
}

TEST_F(RouteCheckTest, ReadsEachFileOnceAndListsEachFolderOnce) {
    EXPECT_TRUE(run().unreadable.empty()) << "no ROUTES folder is no error";

    for (int i = 0; i < 20; ++i)
        t.writeUtf16(L"MSTS\\ROUTES\\R\\ACTIVITIES\\a" + std::to_wstring(i) + L".act",
                     L"SIMISA\r\n\r\nPlayer_Service_Definition ( S" + std::to_wstring(i % 2) +
                         L" ) Traffic_Definition ( T ) Service_Definition ( S0 ) Service_Definition ( Gone )");
    service(L"R", L"S0", L"C", L"P");
    service(L"R", L"S1", L"C", L"P");
    consist(L"C", {{'E', L"a", L"A"}}, L"\r\nEOTData ( e E )");
    const RouteCheckResult r = run();
    EXPECT_EQ(r.broken.size(), 20u);
    // 20 activities, 2 services, 1 consist.
    EXPECT_EQ(r.filesRead, 23u);
    // MSTS, ROUTES, R, ACTIVITIES, SERVICES, CONSISTS, ORTS_EOT (absent); R's listing
    // tells that TRAFFIC and PATHS are absent.
    EXPECT_EQ(r.folderListings, 7u);
}

TEST_F(RouteCheckTest, TakesTheConsistsTheAnalysisReadRatherThanTheDisk) {
    t.writeUtf16(L"MSTS\\ROUTES\\R\\ACTIVITIES\\a.act",
                 L"SIMISA\r\n\r\nService_Definition ( S1 ) Service_Definition ( S2 )");
    service(L"R", L"S1", L"Kept", L"P");
    service(L"R", L"S2", L"New", L"P");
    t.touch(L"MSTS\\ROUTES\\R\\PATHS\\P.pat");
    // Changed on disk since the analysis read it with an absent vehicle and device.
    consist(L"Kept", {{'E', L"a", L"A"}});
    consist(L"New", {{'W', L"gone", L"GONE"}}); // not read by the analysis: read now
    stock.add(L"A\\a.eng");
    ConsistsRead analysed;
    analysed.add(L"KEPT.con", {L"B\\b.eng"}, {L"E\\e.eot"});
    const RouteCheckResult r = checkRoutes({t / L"MSTS", stock, used, &analysed}, nullptr);
    ASSERT_EQ(r.broken.size(), 1u);
    EXPECT_EQ(pieces(r.broken[0]), L"stock:B\\b.eng<Kept eot:E\\e.eot<Kept stock:GONE\\GONE.WAG<New ");
    EXPECT_EQ(r.filesRead, 4u) << "the activity, two services and the one consist not analysed";
}
