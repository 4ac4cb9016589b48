// The printed page's layout, drawn into a memory page.
#include "report/PrinterDevice.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <tuple>

using namespace tw;

namespace {
// A page of memory: counts pages and records where text was drawn.
struct MemorySink : PageSink {
    HDC mem = CreateCompatibleDC(nullptr);
    int started = 0, ended = 0;
    std::vector<std::tuple<int, int, int, std::wstring>> drawn;   // page, x, y, text
    MemorySink() { SelectObject(mem, GetStockObject(DEFAULT_GUI_FONT)); }
    ~MemorySink() override { DeleteDC(mem); }
    HDC dc() override { return mem; }
    void startPage() override { ++started; }
    void endPage() override { ++ended; }
    void drawText(int x, int y, const std::wstring& t) override { drawn.emplace_back(started, x, y, t); }
};
} // namespace

TEST(PrinterLayout, CutsLongLinesBreaksPagesAndIgnoresCarriageReturns) {
    MemorySink sink;
    TextLayout layout(sink, 200, 300);
    layout.begin();
    layout.write(L"a\r\n");
    std::wstring longText(200, L'W');
    layout.write(longText + L"\n");
    std::wstring joined;
    for (auto& d : sink.drawn) joined += std::get<3>(d);
    EXPECT_EQ(joined, L"a" + longText);   // nothing lost by the cut, CR dropped
    EXPECT_GT(sink.drawn.size(), 2u);
    for (size_t i = 2; i < sink.drawn.size(); ++i) EXPECT_EQ(std::get<1>(sink.drawn[i]), 0);
    for (int i = 0; i < 100; ++i) layout.write(L"x\n");
    layout.write(L"\f");
    layout.finish();
    EXPECT_EQ(sink.started, sink.ended);
    EXPECT_EQ(sink.started, layout.pages());
    EXPECT_GE(layout.pages(), 3);
    for (auto& d : sink.drawn) EXPECT_LT(std::get<2>(d), 300);
}

TEST(PrinterLayout, TabsAdvanceToEightAverageWidths) {
    MemorySink sink;
    TEXTMETRICW tm{};
    GetTextMetricsW(sink.mem, &tm);
    TextLayout layout(sink, 2000, 1000);
    layout.begin();
    layout.write(L"\tb");
    ASSERT_EQ(sink.drawn.size(), 1u);
    EXPECT_EQ(std::get<1>(sink.drawn[0]), 8 * tm.tmAveCharWidth);
    layout.finish();
}

TEST(PrinterLayout, PageBreakPositionAndEmptyFinalPage) {
    MemorySink sink;
    TEXTMETRICW tm{};
    GetTextMetricsW(sink.mem, &tm);
    const int h = tm.tmHeight + 2;   // a line with text
    {
        // Nine lines fit while the position stays within height - 2h = 8h + 3.
        TextLayout layout(sink, 1000, 10 * h + 3);
        layout.begin();
        for (int i = 0; i < 9; ++i) layout.write(L"x\n");
        EXPECT_EQ(layout.pages(), 2);   // the last line feed began a page of its own
        layout.finish();
        ASSERT_EQ(sink.drawn.size(), 9u);
        for (int i = 0; i < 9; ++i) {
            EXPECT_EQ(std::get<0>(sink.drawn[i]), 1);
            EXPECT_EQ(std::get<2>(sink.drawn[i]), i * h);
        }
        EXPECT_EQ(sink.started, 2);
        EXPECT_EQ(sink.ended, 2);
    }
    {
        // Lines without text advance by the character height and break only
        // past the bottom.
        MemorySink empty;
        const int height = 10 * tm.tmHeight;
        TextLayout layout(empty, 1000, height);
        layout.begin();
        for (int i = 0; i < 10; ++i) layout.write(L"\n");
        EXPECT_EQ(layout.pages(), 1);
        EXPECT_EQ(layout.y(), height);
        layout.write(L"\n");
        EXPECT_EQ(layout.pages(), 2);
        EXPECT_EQ(layout.y(), 0);
        layout.write(L"y\f");   // a form feed begins a page too
        EXPECT_EQ(layout.pages(), 3);
        layout.finish();
        EXPECT_EQ(empty.ended, 3);
    }
}

TEST(PrinterLayout, TabPastTheRightEdgeStartsANewLine) {
    MemorySink sink;
    TEXTMETRICW tm{};
    GetTextMetricsW(sink.mem, &tm);
    const int tab = 8 * tm.tmAveCharWidth;
    TextLayout layout(sink, 2 * tab + 5, 1000);
    layout.begin();
    layout.write(L"\t\t\tb");
    ASSERT_EQ(sink.drawn.size(), 1u);
    EXPECT_EQ(std::get<1>(sink.drawn[0]), 0);
    EXPECT_EQ(std::get<2>(sink.drawn[0]), tm.tmHeight);   // the tab-only line had no text
    layout.finish();
}
