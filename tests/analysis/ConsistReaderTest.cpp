#include "analysis/ConsistReader.h"

#include <gtest/gtest.h>

using namespace tw;

namespace {
std::vector<unsigned char> utf16(const std::wstring& text, bool bom = true) {
    std::vector<unsigned char> b;
    if (bom) b = {0xFF, 0xFE};
    for (wchar_t c : text) {
        b.push_back(static_cast<unsigned char>(c & 0xFF));
        b.push_back(static_cast<unsigned char>(c >> 8));
    }
    return b;
}

std::vector<std::wstring> refsOf(const std::wstring& fileText) {
    std::wstring flat;
    EXPECT_TRUE(flattenConsist(utf16(fileText), flat));
    return consistReferences(flat);
}
} // namespace

TEST(FlattenConsist, SkipsHeaderEmptyCommentAndSimLinesAndJoinsWithBlanks) {
    std::wstring flat;
    ASSERT_TRUE(flattenConsist(utf16(L"SIMISA@@header\r\n\r\n//comment\r\nSIMISA again\r\n\tA (\tx )\n B\rC\x01\x02" L"D"), flat));
    EXPECT_EQ(flat, L" A ( x )  B CD ");
}

TEST(FlattenConsist, LineEndsAndZeroUnit) {
    std::wstring flat;
    // LF CR counts as two line ends; a final terminator adds no empty line.
    ASSERT_TRUE(flattenConsist(utf16(L"h\nA\n\rB\r\n"), flat));
    EXPECT_EQ(flat, L"A B ");
    ASSERT_TRUE(flattenConsist(utf16(std::wstring(L"h\r\nA\r\nB", 8) + L'\0' + L"\r\nC"), flat));
    EXPECT_EQ(flat, L"A B ");
}

TEST(FlattenConsist, RejectsEightBitAndTinyFiles) {
    std::wstring flat = L"x";
    std::string ansi = "SIMISA\r\nEngineData ( a b )";
    EXPECT_FALSE(flattenConsist(std::vector<unsigned char>(ansi.begin(), ansi.end()), flat));
    EXPECT_TRUE(flat.empty());
    EXPECT_FALSE(flattenConsist({0xFF, 0xFE, 0x41}, flat));
    EXPECT_FALSE(flattenConsist(utf16(L"header\r\nEngineData ( a b )", false), flat));
    // An odd last byte is ignored.
    auto bytes = utf16(L"h\nAB");
    bytes.push_back(0x43);
    EXPECT_TRUE(flattenConsist(bytes, flat));
    EXPECT_EQ(flat, L"AB ");
}

TEST(FlattenConsist, CharactersAboveLatin1SurviveAndDoNotCutTheText) {
    // U+0100 and U+3000 have a low byte of 0, U+010D (č) a low byte of 13: narrowing
    // them would end the text or break the line and lose the entries after them.
    auto refs = refsOf(L"h\r\nWagonData ( \"Voz\u010D\u0100\u3000\" CZ )\r\nEngineData ( dash9 DASH9 )");
    ASSERT_EQ(refs.size(), 2u);
    EXPECT_EQ(refs[0], L"CZ\\VOZ\u010D\u0100\u3000.WAG");
    EXPECT_EQ(refs[1], L"DASH9\\DASH9.ENG");
}

TEST(MaskBrackets, OnlyOutsideQuotes) {
    EXPECT_EQ(maskBrackets(L"A ( \"b (c)\" d )"), L"A \u00D7 \"b (c)\" d \u00DE");
    EXPECT_EQ(maskBrackets(L"x").size(), 1u);
}

TEST(ExtractNextEntry, FindsTheEarlierKeywordAndKeepsTheRest) {
    std::wstring text = maskBrackets(L"wagondata ( b B ) EngineData ( a A ) ");
    EXPECT_EQ(extractNextEntry(text, L"ENGINEDATA", L"WAGONDATA"), L"WAGONDATA\\b B");
    EXPECT_EQ(text.substr(0, 1), std::wstring(1, kOpenMark));
    EXPECT_EQ(extractNextEntry(text, L"ENGINEDATA", L"WAGONDATA"), L"ENGINEDATA\\a A");
    EXPECT_EQ(extractNextEntry(text, L"ENGINEDATA", L"WAGONDATA"), L"");
    EXPECT_TRUE(text.empty());
}

TEST(ExtractNextEntry, KeywordWithoutBodyGivesNothing) {
    std::wstring text = maskBrackets(L"Name ( \"EngineData\" ) ");
    EXPECT_EQ(extractNextEntry(text, L"ENGINEDATA", L"WAGONDATA"), L"");
    EXPECT_FALSE(text.empty()); // the caller goes on with what follows
    std::wstring open = maskBrackets(L"EngineData ( a b");
    EXPECT_EQ(extractNextEntry(open, L"ENGINEDATA", L"WAGONDATA"), L"");
}

TEST(ExtractNextEntry, BodyHoldingAnOpenMarkIsNoEntryButTheInnerOneIs) {
    std::wstring text = maskBrackets(L"EngineData ( WagonData ( a B ) ) ");
    EXPECT_EQ(extractNextEntry(text, L"ENGINEDATA", L"WAGONDATA"), L"");
    EXPECT_EQ(extractNextEntry(text, L"ENGINEDATA", L"WAGONDATA"), L"WAGONDATA\\a B");
}

TEST(ConsistReferences, BodiesEndAtTheNextCloseMarkWithNoOpenMarkBefore) {
    EXPECT_EQ(refsOf(L"h\r\nEngineData ( EngineData ( x Y ) z ) WagonData ( w W )"),
              (std::vector<std::wstring>{L"Y\\X.ENG", L"W\\W.WAG"}));
    // Many keywords before a single close mark: only the last one has a body.
    std::wstring many;
    for (int i = 0; i < 50; ++i) many += L"EngineData ( ";
    EXPECT_EQ(consistReferences(many + L"last L )"), std::vector<std::wstring>{L"L\\LAST.ENG"});
    EXPECT_TRUE(consistReferences(many).empty()); // no close mark at all
}

TEST(NormaliseEntry, ExamplesAndMalformedBodies) {
    EXPECT_EQ(normaliseEntry(L"ENGINEDATA\\dash9 DASH9"), L"DASH9\\DASH9.ENG");
    EXPECT_EQ(normaliseEntry(L"WAGONDATA\\\"Coal Car\" \"Coal Hoppers\""), L"COAL HOPPERS\\COAL CAR.WAG");
    EXPECT_EQ(normaliseEntry(L"WAGONDATA\\\"GP38 (BN)\" GP38"), L"GP38\\GP38 (BN).WAG");
    EXPECT_EQ(normaliseEntry(L"ENGINEDATA\\dash9"), L"DASH9\\.ENG");
    EXPECT_EQ(normaliseEntry(L"ENGINEDATA\\\"open name"), L"OPEN NAME\\.ENG");
}

TEST(ConsistReferences, RealLayoutWithCommentsQuotesAndMixedCase) {
    auto refs = refsOf(L"SIMISA@@@@@@@@@@JINX0D0t______\r\n\r\nTrain (\r\n"
                       L"//\t\tEngineData ( hidden HIDDEN )\r\n"
                       L" //\t\tEngineData ( shown SHOWN )\r\n"
                       L"\t\tWaGoNdAtA ( \"GP38 (BN)\" GP38 )\r\n"
                       L"\t\tengineDATA ( Dash9 dash9 )\r\n)");
    EXPECT_EQ(refs, (std::vector<std::wstring>{L"SHOWN\\SHOWN.ENG", L"GP38\\GP38 (BN).WAG", L"DASH9\\DASH9.ENG"}));
}

TEST(ConsistReferences, SameAsExtractingEntryAfterEntry) {
    // The list is gathered without copying the rest of the text per entry:
    // it must match the routine applied again and again to what it leaves.
    const std::wstring texts[] = {
        L"EngineData ( dash9 DASH9 ) WagonData ( car  \"My Cars\" ) EngineData(x Y)",
        L"wagondata ( a B ) enginedata ( c D )   \t ",
        L"EngineData ( unclosed WagonData ( w W )",
        L"EngineData x ( a B ) WagonDataWagonData ( q R ) ENGINEDATA",
        L"EngineData (\"quoted ( brackets )\" F ) WagonData ( EngineData G )",
        L"WagonData ( a A )WagonData ( b B )EngineData ( c C )",
        L"EngineData ( WagonData ( a B ) c ) WagonData ( d ( e ) f ) EngineData ) ( g H )",
        L"", L"   ", L"no entries here", L"EngineData", L"EngineData (",
    };
    for (const auto& flat : texts) {
        std::vector<std::wstring> expected;
        std::wstring rest = maskBrackets(flat);
        while (!rest.empty()) {
            std::wstring raw = extractNextEntry(rest, L"ENGINEDATA", L"WAGONDATA");
            if (!raw.empty()) expected.push_back(normaliseEntry(raw));
        }
        EXPECT_EQ(consistReferences(flat), expected) << std::string(flat.begin(), flat.end());
    }
    EXPECT_EQ(consistReferences(texts[0]).size(), 3u);
}

TEST(ConsistReferences, VehiclesInSkippedBlocksAreNotUsed) {
    auto refs = refsOf(L"SIMISA@@@@@@@@@@JINX0D0t______\r\n\r\nTrain ( TrainCfg ( t\r\n"
                       L"\t_Wagon ( WagonData ( a A ) ) Comment ( Engine ( EngineData ( b B ) ) )\r\n"
                       L"\tskip ( Name ( \"quoted ) mark\" ) EngineData ( c C ) ) #Engine(EngineData ( d D ))\r\n"
                       L"\tEngine ( EngineData ( #MT_Class47 MT_Class47 ) ) Wagon ( _x WagonData ( $Repaint R ) )\r\n"
                       L"\tComment ( unclosed EngineData ( e E ) ) )");
    EXPECT_EQ(refs, (std::vector<std::wstring>{L"MT_CLASS47\\#MT_CLASS47.ENG", L"R\\$REPAINT.WAG"}));
}
