// Not a check: with TW_SHOTS set to a folder, saves pictures of the warning
// dialog's panels and of each help page for review by eye.
#include "support/DialogTestSupport.h"

#include "support/Screenshot.h"
#include "ui/HelpWindow.h"
#include "ui/WarningDialog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace tw;

namespace {

void pump() {
    MSG m;
    for (int i = 0; i < 20; ++i) {
        while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&m);
            ::DispatchMessageW(&m);
        }
        ::Sleep(10);
    }
}

} // namespace

TEST(Screenshots, WarningDialogAndHelpPages) {
    const char* dir = std::getenv("TW_SHOTS");
    if (!dir) GTEST_SKIP() << "TW_SHOTS not set";
    std::string d = dir;
    {
        WarningDialog::Callbacks c;
        WarningDialog dlg(c);
        ASSERT_TRUE(dlg.createWindow());
        twtest::postAction([&] {
            pump();
            twtest::saveWindow(dlg.hwnd(), d + "\\warning-fr.bmp");
            ::SendMessageW(dlg.control(WarningDialog::IdEnglish), BM_CLICK, 0, 0);
            pump();
            twtest::saveWindow(dlg.hwnd(), d + "\\warning-en.bmp");
            if (std::getenv("TW_SHOTS_WAIT")) { for (int k = 0; k < 300; ++k) pump(); }
            ::SendMessageW(dlg.control(WarningDialog::IdYes), BM_CLICK, 0, 0);
        });
        dlg.showModal();
    }
    HelpWindow help;
    ASSERT_TRUE(help.createWindow());
    for (int i = 0; i < HelpWindow::kPageCount; ++i) {
        help.selectPage(i);
        pump();
        twtest::saveWindow(help.hwnd(), d + "\\help-" + std::to_string(i + 1) + ".bmp");
    }
}
