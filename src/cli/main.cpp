// trackwend-cli: the analysis of the main window, without windows, for scripts.
#include "cli/CliOptions.h"
#include "cli/CliRunner.h"
#include "platform/MessageBox.h"
#include "platform/Text.h"

#include <windows.h>

#include <cstdio>
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
    std::vector<std::wstring> args(argv + 1, argv + argc);
    tw::CliOptions options;
    if (auto error = tw::parseCliOptions(args, options)) {
        writeBytes(stderr, tw::toUtf8(L"trackwend-cli: " + *error + L"\n" + tw::kCliUsage + L"\n"));
        return 2;
    }
    if (options.help) {
        writeBytes(stdout, tw::toUtf8(std::wstring(tw::kCliUsage) + L"\n"));
        return 0;
    }
    // Nothing in the analysis may wait on a box: anything shown goes to stderr.
    tw::setMessageBoxHandler([](const std::wstring& text, tw::MessageKind, tw::MessageButtons) {
        writeBytes(stderr, tw::toUtf8(tw::messageOnOneLine(text) + L"\n"));
        return tw::kResultOk;
    });

    tw::CliRunner runner(options);
    tw::CliResult result = runner.run();
    for (const auto& m : result.messages) writeBytes(stderr, tw::toUtf8(tw::messageOnOneLine(m) + L"\n"));
    writeBytes(stdout, options.json ? runner.json(result) + "\n" : runner.table());
    return result.completed ? 0 : 1;
}
