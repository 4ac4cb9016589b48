// Program entry: no command-line arguments are read.
#include "app/App.h"
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return tw::runApplication(); }
