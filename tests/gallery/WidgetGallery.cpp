// Shows every instrument-panel widget in its main states, for looking at.
#include "platform/MessagePump.h"
#include "widgets/ToolEdit.h"
#include "widgets/VrBlotter.h"
#include "widgets/VrButtons.h"
#include "widgets/VrGauge.h"
#include "widgets/VrLcd.h"
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
            auto n = std::make_unique<TVrNum>();
            n->setStyle(TVrNumStyle::ns7x13);
            n->setDigits(5);
            n->setMax(99999);
            n->setBounds(0, 0, 49, 18);
            TVrPalette p(clBlack, i == 3 ? clRed : clLime);
            n->setPalette(p);
            n->setValue(values[i]);
            if (i == 2) n->setLeadingZero(true);
            n->create(hwnd(), 10 + i * 60, 10);
            nums_.push_back(std::move(n));
        }
        const TVrNumStyle styles[] = {TVrNumStyle::ns13x24, TVrNumStyle::ns11x20, TVrNumStyle::ns12x17,
                                      TVrNumStyle::ns5x7};
        for (int i = 0; i < 4; ++i) {
            auto n = std::make_unique<TVrNum>();
            n->setStyle(styles[i]);
            n->setMin(-99);
            n->setValue(i == 0 ? -42 : 8 - i);
            n->setBounds(0, 0, 100, 26);
            n->create(hwnd(), 260 + i * 110, 10);
            nums_.push_back(std::move(n));
        }
        const wchar_t* captions[] = {L"&Consists", L"&Materiel", L"&Lst", L"Run all"};
        for (int i = 0; i < 4; ++i) {
            auto b = std::make_unique<TVrPowerButton>();
            b->setCaption(captions[i]);
            b->setTabStop(i < 3);
            b->setActive(i == 1);
            if (i == 2) b->setEnabled(false);
            TVrPalette p(clOlive, clFuchsia);
            if (i == 3) b->setPalette(p);
            b->create(hwnd(), 10 + i * 135, 50);
            buttons_.push_back(std::move(b));
        }
        ::SetFocus(buttons_[0]->hwnd());
        for (int i = 0; i < 2; ++i) {
            auto g = std::make_unique<TVrGauge>();
            g->setOrientation(TVrOrientation::voHorizontal);
            g->setBounds(0, 0, 345, 33);
            g->setMaxValue(99);
            g->setPosition(i == 0 ? 50 : 99);
            g->create(hwnd(), 10 + i * 360, 90, 345, 33);
            gauges_.push_back(std::move(g));
        }
        auto v = std::make_unique<TVrGauge>();
        v->setTickHeight(2);
        v->setPosition(30);
        v->create(hwnd(), 700, 140);
        gauges_.push_back(std::move(v));

        blotter_.setColor(0x80FFFF);
        BevelValues bv = blotter_.Bevel().values();
        blotter_.setBevel(bv);
        blotter_.create(hwnd(), 10, 140, 330, 120);
        ::CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 20, 80, 75, 23, blotter_.hwnd(),
                          reinterpret_cast<HMENU>(IDOK), moduleInstance(), nullptr);
        HWND label = ::CreateWindowExW(0, L"STATIC", L"A label inside the panel", WS_CHILD | WS_VISIBLE, 20, 20,
                                       250, 16, blotter_.hwnd(), nullptr, moduleInstance(), nullptr);
        ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(defaultWidgetFont()), FALSE);

        edit1_.create(hwnd(), 360, 150, 313, 21);
        edit1_.setText(L"C:\\Train Simulator");
        edit2_.create(hwnd(), 360, 180, 313, 21);
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
    std::vector<std::unique_ptr<TVrNum>> nums_;
    std::vector<std::unique_ptr<TVrPowerButton>> buttons_;
    std::vector<std::unique_ptr<TVrGauge>> gauges_;
    TVrBlotter blotter_;
    TDirectoryEdit edit1_, edit2_;
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
