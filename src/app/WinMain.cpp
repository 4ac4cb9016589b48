// Program entry: no command-line arguments are read.
#include "app/App.h"
#include "platform/Errors.h"
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // An error before or after the message loop is shown, not a silent crash.
    try {
        return tw::runApplication();
    } catch (...) {
        tw::showCurrentError();
        return 1;
    }
}
