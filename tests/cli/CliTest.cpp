#include "cli/CliOptions.h"
#include "cli/CliRunner.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace tw;
using twtest::TempFolder;

TEST(CliOptionsTest, ParsesOptionsAndStripsTrailingBackslashes) {
    CliOptions o;
    EXPECT_FALSE(parseCliOptions({L"--json", L"--lang=en", L"--store=D:\\Store\\\\", L"C:\\MSTS\\"}, o));
    EXPECT_FALSE(o.readActivities.has_value()); // the settings file decides
    EXPECT_TRUE(o.json);
    EXPECT_EQ(o.languageId, 1);
    EXPECT_TRUE(o.includeStore);
    EXPECT_EQ(o.storeFolder, L"D:\\Store");
    EXPECT_EQ(o.simulatorFolder, L"C:\\MSTS");
    EXPECT_FALSE(parseCliOptions({L"--activities"}, o));
    EXPECT_EQ(o.readActivities, true);
    EXPECT_TRUE(parseCliOptions({L"--frobnicate", L"C:\\x"}, o).has_value());
    EXPECT_TRUE(parseCliOptions({L"--lang=de", L"C:\\x"}, o).has_value());
    EXPECT_TRUE(parseCliOptions({L"C:\\a", L"C:\\b"}, o).has_value());
    EXPECT_EQ(messageOnOneLine(L"a\r\nb\nc"), L"a b c");
}

TEST(CliRunnerTest, RunAllAndJsonOfAnInstallation) {
    TempFolder t;
    t.touch(L"MSTS\\TRAINS\\TRAINSET\\A\\a.eng");
    t.touch(L"MSTS\\TRAINS\\TRAINSET\\A\\\u00E9t\u00E9.wag");
    t.writeUtf16(L"MSTS\\TRAINS\\CONSISTS\\c.con", twtest::consistText(L"c", {{'E', L"a", L"A"}, {'E', L"b", L"B"}}));
    CliOptions o;
    ASSERT_FALSE(parseCliOptions({t / L"MSTS"}, o));
    CliRunner runner(o);
    CliResult r = runner.run();
    EXPECT_TRUE(r.completed);
    std::string json = runner.json(r);
    // Members in the documented order, counters in the table's order.
    EXPECT_EQ(json.rfind("{\"completed\":true,\"counters\":{\"consists\":1,\"engines\":1,\"wagons\":1,", 0), 0u)
        << json;
    EXPECT_LT(json.find("\"sets\":"), json.find("\"messages\":"));
    EXPECT_NE(json.find("\"orphans\":[\"A\\\\\xC3\xA9t\xC3\xA9.wag\"]"), std::string::npos) << json;
    EXPECT_NE(json.find("\"missing\":[\"Dossier manquant : B\\\\B.ENG\"]"), std::string::npos) << json;
    EXPECT_NE(runner.table().find("missing          1"), std::string::npos) << runner.table();
}

TEST(CliRunnerTest, AStepStoppingEarlyIsNotCompleted) {
    TempFolder t;
    t.makeDir(L"MSTS\\TRAINS\\CONSISTS");
    CliOptions o;
    ASSERT_FALSE(parseCliOptions({t / L"MSTS"}, o));
    CliRunner runner(o);
    CliResult r = runner.run();
    EXPECT_FALSE(r.completed);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_NE(r.messages[0].find(L"TRAINSET n'a pas pu etre localise"), std::wstring::npos);

    // A consist gone between steps 1 and 3: steps 4 and 5 still run, on a partial reading.
    t.touch(L"MSTS\\TRAINS\\TRAINSET\\A\\a.eng");
    for (const wchar_t* name : {L"a.con", L"b.con"})
        t.writeUtf16(std::wstring(L"MSTS\\TRAINS\\CONSISTS\\") + name, twtest::consistText(name, {{'E', L"a", L"A"}}));
    CliRunner gone(o);
    gone.view().onPump = [&] {
        if (gone.view().counterColour(Counter::Stock) == colours::Yellow)
            ::DeleteFileW((t / L"MSTS\\TRAINS\\CONSISTS\\b.con").c_str());
    };
    r = gone.run();
    EXPECT_FALSE(r.completed);
    EXPECT_EQ(gone.view().counterColour(Counter::Missing), colours::Yellow);
    EXPECT_EQ(gone.json(r).rfind("{\"completed\":false,", 0), 0u);
}
