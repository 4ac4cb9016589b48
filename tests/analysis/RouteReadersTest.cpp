// The readers of the route check: activities, services, end-of-train devices
// and Open Rails timetables, bytes in and entries out.
#include "analysis/ActivityReader.h"
#include "analysis/ConsistReader.h"
#include "analysis/ServiceReader.h"
#include "analysis/StockFileReader.h"
#include "analysis/TimetableReader.h"

#include <gtest/gtest.h>

using namespace tw;

namespace {
std::wstring flattened(const std::wstring& body) {
    std::vector<unsigned char> bytes{0xFF, 0xFE};
    for (wchar_t c : L"SIMISA@@@@@@@@@@JINX0a0t______\r\n\r\n" + body)
        if (c) bytes.insert(bytes.end(), {static_cast<unsigned char>(c & 0xFF), static_cast<unsigned char>(c >> 8)});
    std::wstring text;
    EXPECT_TRUE(flattenSimulatorText(bytes, text));
    return text;
}

using Names = std::vector<std::wstring>;
} // namespace

TEST(RouteReaders, ActivityNamesItsServicesTrafficAndLooseConsists) {
    const ActivityEntries a = activityEntries(flattened(
        L"Tr_Activity ( Tr_Activity_Header ( Name ( \"Service_Definition ( quoted )\" ) )\r\n"
        L"\tTr_Activity_File (\r\n\t\tplayer_service_definition ( \"Night Freight\"\r\n"
        L"\t\t\tPlayer_Traffic_Definition ( 0 ) )\r\n// Service_Definition ( commented 1 )\r\n"
        L"\t\tTraffic_Definition ( Night_Traffic\r\n\t\t\tService_Definition ( \"Local Goods\" 3600 )\r\n"
        L"\t\t\tSERVICE_DEFINITION(Coal 4200) ORTS_Service_Definition ( no ) Service_Definition ( \"\" ) )\r\n"
        L"\t\tActivityObjects ( Train_Config ( TrainCfg ( \"\" EOTData ( \"Red Light\" \"EOT Pack\" )\r\n"
        L"\t\t\tWagon ( WagonData ( boxcar FREIGHT ) ) Engine ( EngineData ( \"GP9 Phase 2\" GP9 ) ) ) ) ) ) )"));
    EXPECT_EQ(a.playerService, L"Night Freight");
    EXPECT_EQ(a.traffic, L"Night_Traffic");
    EXPECT_EQ(a.services, (Names{L"Local Goods", L"Coal"})) << "whole words, first token, quotes removed";
    EXPECT_EQ(a.looseStock, (Names{L"FREIGHT\\BOXCAR.WAG", L"GP9\\GP9 PHASE 2.ENG"}));
    EXPECT_EQ(a.looseDevices, (Names{L"EOT Pack\\Red Light.eot"}));

    const ServiceEntries s =
        serviceEntries(flattened(L"Service_Definition ( Name ( \"x\" ) Train_Config ( \"Coal Drag\" ) PathID ( Yard ) "
                                 L"Train_Config ( second ) )"));
    EXPECT_EQ(s.consist, L"Coal Drag");
    EXPECT_EQ(s.path, L"Yard");
}

TEST(RouteReaders, TimetableFollowsTheCellTableRules) {
    // Separator from the first character; a continuing column; "#" headers
    // are no train; labels lower-cased and cut at "/"; quotes mean nothing;
    // CR, LF and CR LF all end rows; cells past the header row continue the last column.
    const Timetable t = readTimetable(
        L";Coal 1; ;\"Shuttle\";#Comment;$static loco\r\n"
        L"#Consist/note ; Coal Drag+<Mixed+Freight>$reverse ; + Extra $x;\"a\";skip;<odd$name>\n"
        L"#PATH;Yard Lead $callon;;Branch;;yard;tail\rLine;x\r\n#start;06:00;;07:00\r\n#path;ignored");
    ASSERT_TRUE(t.readable);
    ASSERT_EQ(t.trains.size(), 3u);
    EXPECT_EQ(t.trains[0].name, L"Coal 1");
    EXPECT_EQ(t.trains[0].consists, (Names{L"Coal Drag", L"Mixed+Freight", L"Extra"}));
    EXPECT_EQ(t.trains[0].path, L"Yard Lead");
    EXPECT_EQ(t.trains[1].name, L"\"Shuttle\"");
    EXPECT_EQ(t.trains[1].consists, (Names{L"\"a\""}));
    EXPECT_EQ(t.trains[1].path, L"Branch");
    EXPECT_EQ(t.trains[2].name, L"$static loco");
    EXPECT_EQ(t.trains[2].consists, (Names{L"odd$name"}));
    EXPECT_EQ(t.trains[2].path, L"yard tail");

    EXPECT_TRUE(readTimetable(L",A\n#consist,c\n#path,p\n#start,1").readable);
    EXPECT_TRUE(readTimetable(L"\tA\n#consist\tc\n#path\tp\n#start\t1").readable);
    for (const wchar_t* unreadable : {L"A;B\n#consist;c\n#path;p\n#start;1", L";A\n#consist;c\n#path;p",
                                      L" ;A\n#consist;c\n#path;p\n#start;1", L""})
        EXPECT_FALSE(readTimetable(unreadable).readable) << unreadable;

    // Bytes: 16-bit after a byte-order mark, else Windows-1252.
    EXPECT_EQ(decodeSimulatorText({0xFF, 0xFE, ';', 0, 0xE9, 0}), L";\u00E9");
    EXPECT_EQ(decodeSimulatorText({';', 0x80, 0xE9}), L";\u20AC\u00E9");
    EXPECT_EQ(withDefaultExtension(L"Coal Drag", L".con"), L"Coal Drag.con");
    EXPECT_EQ(withDefaultExtension(L"Sub.d\\Coal", L".con"), L"Sub.d\\Coal.con");
    EXPECT_EQ(withDefaultExtension(L"x.CON", L".con"), L"x.CON");
}
