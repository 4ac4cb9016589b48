// trackwend-cli: the analysis of the main window, without windows, for scripts.
#include "cli/CliOptions.h"
#include "cli/CliRunner.h"
#include "platform/Text.h"

#include <windows.h>

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <vector>

namespace {
void writeBytes(FILE* f, const std::string& bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fflush(f);
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    // The line ends are written as they are meant: reports carry CR LF already.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    try {
        std::vector<std::wstring> args(argv + 1, argv + argc);
        tw::CliStreams streams{[](const std::string& b) { writeBytes(stdout, b); },
                               [](const std::string& b) { writeBytes(stderr, b); }};
        return tw::runCli(args, tw::defaultCliSources(), streams);
    } catch (...) {
        // What runCli cannot report itself (the arguments, the settings path).
        std::string line = "trackwend-cli: unexpected error";
        try {
            line = tw::toUtf8(tw::currentFailureLine());
        } catch (...) {
        }
        writeBytes(stderr, line);
        writeBytes(stderr, "\r\n");
        return 1;
    }
}
