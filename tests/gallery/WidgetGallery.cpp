// Shows every instrument-panel widget in its main states, for looking at.
#include "platform/MessagePump.h"
#include "widgets/FolderEdit.h"
#include "widgets/BevelPanel.h"
#include "widgets/LedButton.h"
#include "widgets/BarGauge.h"
#include "widgets/DigitCounter.h"
#include <ole2.h>
#include <memory>
#include <vector>

using namespace tw;

namespace {

class Gallery : public Window {
public:
    void build() {
        create({.className = L"TwWidgetGallery", .title = L"Widget gallery",
                .style = WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                .x = 10, .y = 10, .width = 760, .height = 520,
                .background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)});
        const int values[] = {0, 1234, 99999, 7};
        for (int i = 0; i < 4; ++i) {
            auto n = std::make_unique<DigitCounter>();
            n->create({.parent = hwnd(), .x = 10 + i * 60, .y = 10, .width = 49, .height = 18,
                       .style = DigitStyle::Size7x13, .digits = 5, .max = 99999,
                       .palette = {clBlack, i == 3 ? clRed : clLime}});
            n->setValue(values[i]);
            if (i == 2) n->setLeadingZero(true);
            nums_.push_back(std::move(n));
        }
        const DigitStyle styles[] = {DigitStyle::Size13x24, DigitStyle::Size11x20, DigitStyle::Size12x17,
                                      DigitStyle::Size5x7};
        for (int i = 0; i < 4; ++i) {
            auto n = std::make_unique<DigitCounter>();
            n->setMin(-99);
            n->setValue(i == 0 ? -42 : 8 - i);
            n->create({.parent = hwnd(), .x = 260 + i * 110, .y = 10, .style = styles[i]});
            nums_.push_back(std::move(n));
        }
        const wchar_t* captions[] = {L"&Consists", L"&Materiel", L"&Lst", L"Run all"};
        for (int i = 0; i < 4; ++i) {
            auto b = std::make_unique<LedButton>();
            b->setCaption(captions[i]);
            b->setActive(i == 1);
            if (i == 2) b->setEnabled(false);
            b->create({.parent = hwnd(), .x = 10 + i * 135, .y = 50,
                       .palette = i == 3 ? Palette(clOlive, clFuchsia) : Palette(), .tabStop = i < 3});
            buttons_.push_back(std::move(b));
        }
        ::SetFocus(buttons_[0]->hwnd());
        for (int i = 0; i < 2; ++i) {
            auto g = std::make_unique<BarGauge>();
            g->setMaxValue(99);
            g->setPosition(i == 0 ? 50 : 99);
            g->create({.parent = hwnd(), .x = 10 + i * 360, .y = 90, .width = 345, .height = 33,
                       .orientation = GaugeOrientation::Horizontal});
            gauges_.push_back(std::move(g));
        }
        auto v = std::make_unique<BarGauge>();
        v->setTickHeight(2);
        v->setPosition(30);
        v->create({.parent = hwnd(), .x = 700, .y = 140});
        gauges_.push_back(std::move(v));

        blotter_.create({.parent = hwnd(), .x = 10, .y = 140, .width = 330, .height = 120, .colour = 0x80FFFF});
        ::CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 20, 80, 75, 23, blotter_.hwnd(),
                          reinterpret_cast<HMENU>(IDOK), moduleInstance(), nullptr);
        HWND label = ::CreateWindowExW(0, L"STATIC", L"A label inside the panel", WS_CHILD | WS_VISIBLE, 20, 20,
                                       250, 16, blotter_.hwnd(), nullptr, moduleInstance(), nullptr);
        ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(defaultWidgetFont()), FALSE);

        edit1_.create({.parent = hwnd(), .x = 360, .y = 150, .width = 313});
        edit1_.setText(L"C:\\Train Simulator");
        edit2_.create({.parent = hwnd(), .x = 360, .y = 180, .width = 313});
        edit2_.setText(L"C:\\Train Store");
        edit2_.setEnabled(false);
    }

protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_CTLCOLORSTATIC) {
            static HBRUSH yellow = ::CreateSolidBrush(0x80FFFF);
            ::SetBkColor(reinterpret_cast<HDC>(wp), 0x80FFFF);
            return reinterpret_cast<LRESULT>(yellow);
        }
        if (msg == WM_DESTROY) ::PostQuitMessage(0);
        return Window::handleMessage(msg, wp, lp);
    }

private:
    std::vector<std::unique_ptr<DigitCounter>> nums_;
    std::vector<std::unique_ptr<LedButton>> buttons_;
    std::vector<std::unique_ptr<BarGauge>> gauges_;
    BevelPanel blotter_;
    FolderEdit edit1_, edit2_;
};

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    ::OleInitialize(nullptr);
    Gallery g;
    g.build();
    MSG m;
    while (::GetMessageW(&m, nullptr, 0, 0) > 0) {
        if (!::IsDialogMessageW(g.hwnd(), &m)) {
            ::TranslateMessage(&m);
            ::DispatchMessageW(&m);
        }
    }
    ::OleUninitialize();
    return 0;
}
