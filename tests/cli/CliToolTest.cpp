// The whole command-line tool through runCli: options completed from the
// registry and the settings file, reports on standard output and saved.
#include "cli/CliOptions.h"
#include "cli/CliRunner.h"
#include "platform/Text.h"
#include "report/ReportBuilder.h"
#include "support/TempFolder.h"
#include "support/TestRegistry.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace tw;
using twtest::TempFolder;

namespace {

struct Captured {
    std::string out, err;
    int status = -1;
};

class CliToolTest : public ::testing::Test {
protected:
    const std::wstring parent = L"Software\\TrackwendCliTests";
    const std::wstring simKey = parent + L"\\Sim";
    const std::wstring storeKey = parent + L"\\Store";
    TempFolder t;

    void SetUp() override {
        // One engine used, one wagon orphaned (with an accent), one entry whose folder is missing.
        t.touch(L"MSTS\\TRAINS\\TRAINSET\\A\\a.eng");
        t.touch(L"MSTS\\TRAINS\\TRAINSET\\A\\\u00E9t\u00E9.wag");
        t.writeUtf16(L"MSTS\\TRAINS\\CONSISTS\\c.con",
                     twtest::consistText(L"c", {{'E', L"a", L"A"}, {'E', L"b", L"B"}}));
    }
    void TearDown() override { removeKeys(); }
    void removeKeys() {
        twtest::removeSoftwareKey(L"TrackwendCliTests");
        twtest::removeSoftwareKey(L"TrackwendCliTests", HKEY_CURRENT_USER);
    }
    void setRegistry(const std::wstring& key, const wchar_t* name, const std::wstring& value, DWORD type = REG_SZ) {
        twtest::setRegistryValue(key, name, value, type);
    }

    Captured run(const std::vector<std::wstring>& args) {
        Captured c;
        CliSources sources{t / L"trackwend-cli.INI", simKey, storeKey, parent + L"\\OpenRails"};
        c.status = runCli(args, sources, {[&](const std::string& b) { c.out += b; },
                                          [&](const std::string& b) { c.err += b; }});
        return c;
    }
};

// A path as a JSON string holds it: each backslash doubled.
std::wstring nlohmannEscaped(std::wstring path) {
    for (size_t i = 0; (i = path.find(L'\\', i)) != std::wstring::npos; i += 2) path.insert(i, 1, L'\\');
    return path;
}

std::string crlfLines(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += l + "\r\n";
    return s;
}

} // namespace

TEST(CliOptionsParsing, StoreReportsAndSaveFolder) {
    CliOptions o;
    EXPECT_FALSE(parseCliOptions({L"--store", L"--report=orphans", L"--report=missing", L"--save=D:\\Out\\"}, o));
    EXPECT_TRUE(o.includeStore);
    EXPECT_FALSE(o.storeFolder.has_value()); // from the registry later
    EXPECT_FALSE(o.simulatorFolder.has_value());
    EXPECT_EQ(o.reports, (std::vector<ReportKind>{ReportKind::Orphans, ReportKind::Missing}));
    EXPECT_EQ(o.saveFolder, L"D:\\Out");
    EXPECT_TRUE(parseCliOptions({L"--report=orphan"}, o).has_value());
    EXPECT_TRUE(parseCliOptions({L"--save=C:\\x"}, o).has_value()); // nothing to save
    EXPECT_TRUE(parseCliOptions({L"--save=", L"--report=stock"}, o).has_value());
}

TEST_F(CliToolTest, FoldersFromTheRegistryAndLanguageFromTheSettingsFile) {
    setRegistry(simKey, L"EXE Path", (t / L"MSTS") + L"\\");
    t.writeBytes(L"trackwend-cli.INI", std::string("[Init]\r\nLanguage=1\r\n"));
    Captured c = run({L"--report=orphans", L"--report=missing"});
    EXPECT_EQ(c.status, 0) << c.err;
    const std::string date = toUtf8(todayShortDate());
    const std::string header = "Results from Trackwend on " + date + "\r\n"
                               "Warning : This is a Beta Version. Accuracy of results not guaranted\r\n";
    EXPECT_EQ(c.out, header + crlfLines({"1 Orphans", " ", "Orphans are rolling stock items existing in folders,",
                                         "but never called by a consist.",
                                         "DO NOT DELETE these, they may be used in a 'Loose Consist'", "  ",
                                         "List of Orphaned Stock:", " - A\\\xC3\xA9t\xC3\xA9.wag", " ",
                                         std::string(33, '-')}) +
                         header +
                         crlfLines({"1 Missing Stock", " ", "Missing Stock are rolling stock items called by at least",
                                    "one consist, but not found on the HD.", "  ", "List of Missing Stock:",
                                    " - Missing Folder: B\\B.ENG", " ", std::string(33, '-')}));
    EXPECT_EQ(c.err, "");

    // Without a settings file the reports are French.
    DeleteFileW((t / L"trackwend-cli.INI").c_str());
    c = run({L"--report=consists"});
    EXPECT_EQ(c.out.rfind("Analyse par Trackwend le ", 0), 0u) << c.out;
    EXPECT_NE(c.out.find("1 Rames\r\n"), std::string::npos);
}

TEST_F(CliToolTest, SavedReportsHaveTheWindowsNamesAndBytes) {
    const std::wstring out = t.makeDir(L"out");
    Captured c = run({L"--lang=en", L"--report=orphans", L"--report=missing", L"--save=" + out, t / L"MSTS"});
    EXPECT_EQ(c.status, 0) << c.err;
    const auto orphans = t.readBytes(L"out\\MSTS_Orphans.txt");
    const auto missing = t.readBytes(L"out\\MSTS_Missing Stock.txt");
    ASSERT_FALSE(orphans.empty());
    ASSERT_FALSE(missing.empty());
    const std::string text(orphans.begin(), orphans.end());
    EXPECT_NE(text.find(" - A\\\xE9t\xE9.wag\r\n"), std::string::npos) << "Windows-1252, not UTF-8";
    EXPECT_EQ(text.substr(text.size() - 35), std::string(33, '-') + "\r\n");
    // Standard output holds the same lines, in UTF-8.
    EXPECT_NE(c.out.find(" - A\\\xC3\xA9t\xC3\xA9.wag\r\n"), std::string::npos);

    // A save folder that does not exist: the error, the exit status, the other output kept.
    c = run({L"--lang=en", L"--report=stock", L"--save=" + (t / L"nowhere"), t / L"MSTS"});
    EXPECT_EQ(c.status, 1);
    EXPECT_NE(c.err.find("Cannot create file \""), std::string::npos) << c.err;
    EXPECT_NE(c.out.find("List of Stock Files:"), std::string::npos);
}

TEST_F(CliToolTest, BareStoreOptionTakesTheRegistryFolder) {
    t.touch(L"Store\\TRAINS\\TRAINSET\\S\\s.wag");
    t.makeDir(L"Store\\TRAINS\\CONSISTS");
    setRegistry(storeKey, L"Store Path", (t / L"Store") + L"\\");
    Captured c = run({L"--lang=en", L"--store", L"--report=orphans", t / L"MSTS"});
    EXPECT_EQ(c.status, 0) << c.err;
    EXPECT_NE(c.out.find("2 Orphans\r\n(Files stored by TrainStore included)\r\n"), std::string::npos) << c.out;
    EXPECT_NE(c.out.find(" - S\\s.wag\r\n"), std::string::npos);

    // Without the key the box would say "Train Store non trouvé", and the scan reports that folder missing.
    removeKeys();
    c = run({L"--store", L"--json", t / L"MSTS"});
    EXPECT_EQ(c.status, 1);
    EXPECT_NE(c.err.find("Train Store non trouv\xC3\xA9"), std::string::npos) << c.err;
}

TEST_F(CliToolTest, ActivitiesByTheFlagOrTheSettingsKey) {
    // A loose consist using the orphan and a wagon that is nowhere.
    t.writeUtf16(L"MSTS\\ROUTES\\R\\ACTIVITIES\\a.act",
                 twtest::activityText({{'W', L"\u00E9t\u00E9", L"A"}, {'W', L"c", L"C"}}));
    Captured c = run({L"--lang=en", L"--report=orphans", t / L"MSTS"});
    EXPECT_NE(c.out.find("1 Orphans\r\n \r\n"), std::string::npos) << c.out;

    c = run({L"--lang=en", L"--activities", L"--report=orphans", L"--report=missing", t / L"MSTS"});
    EXPECT_EQ(c.status, 0) << c.err;
    EXPECT_NE(c.out.find("0 Orphans\r\n(Activities' loose consists included)\r\n \r\n"), std::string::npos) << c.out;
    EXPECT_NE(c.out.find("2 Missing Stock\r\n(Activities' loose consists included)\r\n"), std::string::npos);
    EXPECT_NE(c.out.find(" - Missing Folder: C\\C.WAG\r\n"), std::string::npos);

    c = run({L"--json", t / L"MSTS"});
    EXPECT_NE(c.out.find("\"activityFiles\":[]},\"messages\":[],\"activities\":false}"), std::string::npos) << c.out;
    t.writeBytes(L"trackwend-cli.INI", std::string("[Init]\r\nActivities=1\r\n"));
    c = run({L"--json", t / L"MSTS"});
    EXPECT_NE(c.out.find("\"activityFiles\":[\"ROUTES\\\\R\\\\ACTIVITIES\\\\a.act\"]},\"messages\":[],\"activities\":true}"),
              std::string::npos)
        << c.out;
    EXPECT_NE(c.out.find("\"orphans\":0"), std::string::npos);
}

TEST_F(CliToolTest, FailuresGiveMessagesAndStatus) {
    // No simulator key: the stand-in text is the folder, which does not exist.
    Captured c = run({});
    EXPECT_EQ(c.status, 1);
    EXPECT_NE(c.err.find("dossier du simulateur introuvable : < ERREUR : MSTS ne semble pas install\xC3\xA9"),
              std::string::npos)
        << c.err;

    // A value of the wrong type.
    setRegistry(simKey, L"EXE Path", L"C:\\x", REG_BINARY);
    c = run({L"--json"});
    EXPECT_EQ(c.status, 1);
    EXPECT_NE(c.err.find("Invalid data type for 'EXE Path'"), std::string::npos) << c.err;
    EXPECT_EQ(c.out, "");

    // A report whose step never completed is refused, the others still given.
    t.makeDir(L"Bare\\TRAINS\\CONSISTS");
    t.writeUtf16(L"Bare\\TRAINS\\CONSISTS\\c.con", twtest::consistText(L"c", {{'E', L"a", L"A"}}));
    c = run({L"--report=consists", L"--report=orphans", t / L"Bare"});
    EXPECT_EQ(c.status, 1);
    EXPECT_NE(c.err.find("pas de rapport orphans"), std::string::npos) << c.err;
    EXPECT_NE(c.out.find("1 Rames\r\n"), std::string::npos) << c.out;

    c = run({L"--frobnicate"});
    EXPECT_EQ(c.status, 2);
    EXPECT_NE(c.err.find("usage: trackwend-cli"), std::string::npos);

    // Any other failure, here of the write to standard output: one line, status 1.
    for (bool outOfMemory : {false, true}) {
        std::string err;
        const CliStreams streams{[&](const std::string&) {
                                     if (outOfMemory) throw std::bad_alloc();
                                     throw std::runtime_error("disk full");
                                 },
                                 [&](const std::string& b) { err += b; }};
        EXPECT_EQ(runCli({L"--json", t / L"MSTS"}, CliSources{t / L"x.INI", simKey, storeKey}, streams), 1);
        EXPECT_EQ(err, outOfMemory ? "trackwend-cli: out of memory\r\n" : "trackwend-cli: disk full\r\n");
    }
}

TEST_F(CliToolTest, StockCheckOnTheSampleInstallation) {
    const Captured plain = run({L"--json", L"--lang=en", TW_SAMPLE_INSTALL});
    EXPECT_EQ(plain.out.find("\"check\""), std::string::npos);
    EXPECT_EQ(plain.out.substr(plain.out.size() - 22), ",\"activities\":false}\r\n");

    const Captured c = run({L"--json", L"--lang=en", L"--check", TW_SAMPLE_INSTALL});
    EXPECT_EQ(c.status, 0) << c.err;
    EXPECT_EQ(c.out.substr(0, c.out.find(",\"check\":")), plain.out.substr(0, plain.out.size() - 3))
        << "the check only adds its member";
    const std::string check =
        "\"check\":{\"simulatorFolder\":\"" + toUtf8(nlohmannEscaped(TW_SAMPLE_INSTALL)) + "\"" +
        ",\"stockFilesRead\":7,\"broken\":[{\"stock\":\"Coal Hoppers\\\\Coal Car.wag\",\"root\":\"simulator\","
        "\"used\":true,\"absent\":[{\"kind\":\"shape\",\"name\":\"Coal Car.s\",\"path\":\"Coal Hoppers\\\\Coal Car.s\"}]}],"
        "\"removable\":[{\"folder\":\"Old Switcher\",\"root\":\"simulator\",\"bytes\":686836}],"
        "\"unneeded\":[{\"folder\":\"Spare Textures\",\"root\":\"simulator\",\"bytes\":130000}],"
        "\"kept\":[{\"folder\":\"Common.sound\",\"root\":\"simulator\",\"neededBy\":[\"LOCO\\\\Dash9.eng\"],\"missedBy\":[]},"
        "{\"folder\":\"GP38 Pack\",\"root\":\"simulator\",\"neededBy\":[],\"missedBy\":[\"LOCO\\\\GP38.ENG\"]}],"
        "\"foundElsewhere\":[{\"missing\":\"DEFAULT\\\\DASH9.ENG\",\"candidates\":[\"LOCO\\\\Dash9.eng\"]},"
        "{\"missing\":\"LOCO\\\\GP38.ENG\",\"candidates\":[\"GP38 Pack\\\\GP38.eng\"]}],\"unreadable\":[],\"unlisted\":[]}}\r\n";
    EXPECT_EQ(c.out.substr(c.out.find("\"check\":")), check);

    // The report alone asks for the check; the activities keep BaseCars for the boxcar they use.
    const Captured report = run({L"--lang=en", L"--activities", L"--report=check", TW_SAMPLE_INSTALL});
    EXPECT_EQ(report.status, 0) << report.err;
    EXPECT_NE(report.out.find("\r\n - BaseCars (simulator) kept for FREIGHT\\boxcar_old.wag\r\n"), std::string::npos)
        << report.out;
}

TEST_F(CliToolTest, RouteCheckOnTheSampleInstallation) {
    const Captured plain = run({L"--json", L"--lang=en", TW_SAMPLE_INSTALL});
    EXPECT_EQ(plain.out.find("\"routes\""), std::string::npos);
    const Captured c = run({L"--json", L"--lang=en", L"--routes", TW_SAMPLE_INSTALL});
    EXPECT_EQ(c.status, 0) << c.err;
    EXPECT_EQ(c.out.substr(0, c.out.find(",\"routes\":")), plain.out.substr(0, plain.out.size() - 3))
        << "the check only adds its member";
    const std::string routes =
        "\"routes\":{\"routesRead\":1,\"activitiesRead\":2,\"timetablesRead\":1,\"trainsRead\":2,\"broken\":["
        "{\"route\":\"Demo Yard\",\"file\":\"ACTIVITIES\\\\Night Freight.act\",\"starts\":false,\"missing\":["
        "{\"kind\":\"stock\",\"name\":\"LOCO\\\\GP38.ENG\",\"via\":\"Mixed Freight\"},"
        "{\"kind\":\"stock\",\"name\":\"PASSENGER\\\\COACH.WAG\",\"via\":\"Mixed Freight\"},"
        "{\"kind\":\"path\",\"name\":\"Main Line\",\"via\":\"Night Freight\"},"
        "{\"kind\":\"service\",\"name\":\"Local Goods\",\"via\":\"\"}]},"
        "{\"route\":\"Demo Yard\",\"file\":\"ACTIVITIES\\\\Yard Switching.act\",\"starts\":true,\"missing\":["
        "{\"kind\":\"stock\",\"name\":\"GP9\\\\GP9 PHASE 2.ENG\",\"via\":\"\"}]},"
        "{\"route\":\"Demo Yard\",\"file\":\"ACTIVITIES\\\\OPENRAILS\\\\Weekday.timetable-or\",\"starts\":true,\"missing\":["
        "{\"kind\":\"stock\",\"name\":\"LOCO\\\\GP38.ENG\",\"via\":\"Mixed Freight\"},"
        "{\"kind\":\"stock\",\"name\":\"PASSENGER\\\\COACH.WAG\",\"via\":\"Mixed Freight\"},"
        "{\"kind\":\"path\",\"name\":\"Branch Line\",\"via\":\"Shuttle\"}]}],\"unreadable\":[],"
        "\"unplayedConsists\":[\"Default Run.con\",\"SD40 Light.con\"],\"onlyUnplayedStock\":[\"LOCO\\\\SD40.eng\"]}}\r\n";
    EXPECT_EQ(c.out.substr(c.out.find("\"routes\":")), routes);

    // The report alone asks for the check; a step 5 that did not complete gives null.
    const Captured report = run({L"--lang=en", L"--report=routes", TW_SAMPLE_INSTALL});
    EXPECT_EQ(report.status, 0) << report.err;
    EXPECT_NE(report.out.find("\r\nActivities that will not start: 1\r\n - Demo Yard : ACTIVITIES\\Night Freight.act\r\n"),
              std::string::npos)
        << report.out;
    t.makeDir(L"Bare\\TRAINS\\CONSISTS");
    const Captured bare = run({L"--json", L"--routes", t / L"Bare"});
    EXPECT_EQ(bare.status, 1);
    EXPECT_EQ(bare.out.substr(bare.out.size() - 17), ",\"routes\":null}\r\n");
}

TEST_F(CliToolTest, WhatTheCheckCouldNotReadIsAMessageAndAFailure) {
    t.writeBytes(L"MSTS\\TRAINS\\TRAINSET\\A\\a.eng", std::string("h\r\nWagon ( WagonShape ( \"a.s ) )"));
    const Captured c = run({L"--json", L"--lang=en", L"--check", t / L"MSTS"});
    EXPECT_EQ(c.status, 1);
    const std::string message = "Stock check: A\\a.eng could not be read: A\\a.eng has double quotes that do not pair up";
    EXPECT_NE(c.err.find(message + "\r\n"), std::string::npos) << c.err;
    EXPECT_NE(c.out.find("\"blockedBy\":\"A\\\\a.eng\""), std::string::npos);
    EXPECT_NE(c.out.find("\"reason\":\"unpairedQuotes\""), std::string::npos);
}

TEST_F(CliToolTest, OpenRailsProfilesListedChosenByNameAndTakenWithoutTheSimulatorKey) {
    const std::wstring other = t.makeDir(L"Other");
    for (const auto& [name, folder] : {std::pair{L"Main", t / L"MSTS"}, std::pair{L"Other", other}})
        twtest::setRegistryValue(parent + L"\\OpenRails", name, folder, REG_SZ, HKEY_CURRENT_USER);
    const std::string msts = toUtf8(t / L"MSTS"), json = toUtf8(nlohmannEscaped(t / L"MSTS"));
    Captured c = run({L"--profiles"});
    EXPECT_EQ(c.status, 0);
    EXPECT_EQ(c.out, "Main\t" + msts + "\r\nOther\t" + toUtf8(other) + "\r\n");
    c = run({L"--profiles", L"--json"});
    EXPECT_EQ(c.out.rfind("{\"profiles\":[{\"name\":\"Main\",\"folder\":\"" + json + "\"},{", 0), 0u) << c.out;

    c = run({L"--profile=oTHER", L"--json"});
    EXPECT_NE(c.out.find("\"consists\":0"), std::string::npos) << "that profile's folder, nothing in it";
    c = run({L"--profile=Third"});
    EXPECT_EQ(c.status, 2);
    EXPECT_EQ(c.err.rfind("trackwend-cli: unknown Open Rails profile: Third (known: Main, Other)\r\nusage:", 0), 0u);

    // No folder and no simulator key: the first profile, said in the language chosen.
    c = run({L"--json", L"--lang=en"});
    EXPECT_EQ(c.status, 0) << c.err;
    EXPECT_NE(c.out.find("\"messages\":[\"Using the Open Rails folder Main: " + json + "\"]"), std::string::npos);
    EXPECT_EQ(c.err, "Using the Open Rails folder Main: " + msts + "\r\n");
    EXPECT_EQ(run({}).err, "Utilisation du dossier d'Open Rails Main : " + msts + "\r\n");
    setRegistry(simKey, L"EXE Path", other);
    c = run({L"--json"});
    EXPECT_NE(c.out.find("\"consists\":0,"), std::string::npos) << "the simulator's key first";
    EXPECT_EQ(c.err.find("Open Rails"), std::string::npos) << c.err;

    // Neither: the stand-ins follow the language too.
    removeKeys();
    c = run({L"--lang=en", L"--store"});
    EXPECT_NE(c.err.find("not found: < ERROR: MSTS does not seem to be installed on this machine. >"), std::string::npos);
    c = run({L"--lang=en", L"--store", L"--json", t / L"MSTS"});
    EXPECT_NE(c.err.find("Train Store not found"), std::string::npos) << c.err;
    EXPECT_EQ(run({L"--profiles", L"--json"}).out, "{\"profiles\":[]}\r\n");
}
