// trackwend-cli: the analysis of the main window, without windows, for scripts.
#include "cli/CliOptions.h"
#include "cli/CliRunner.h"
#include "platform/Errors.h"
#include "platform/Text.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {
// Every byte, or false with the system's error: a pipe may take a write in parts.
bool writeBytes(DWORD stream, const std::string& bytes, DWORD& error) {
    const HANDLE h = ::GetStdHandle(stream);
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        if (!::WriteFile(h, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
            error = ::GetLastError();
            if (error == ERROR_SUCCESS) error = ERROR_WRITE_FAULT;
            return false;
        }
        done += written;
    }
    return true;
}

// Output that did not all arrive (a full disk, a pipe closed early) is a
// failed run, never a result: runCli reports it and ends with status 1.
void writeOutput(const std::string& bytes) {
    DWORD error = 0;
    if (!writeBytes(STD_OUTPUT_HANDLE, bytes, error))
        throw tw::AppError(L"Cannot write to standard output. " + tw::systemReason(error));
}

// Nowhere is left to tell of a failed write to standard error.
void writeError(const std::string& bytes) {
    DWORD error = 0;
    writeBytes(STD_ERROR_HANDLE, bytes, error);
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    // Bytes go out as they are (reports carry CR LF already): straight to the
    // handles, where every failed write is seen.
    try {
        std::vector<std::wstring> args(argv + 1, argv + argc);
        tw::CliStreams streams{writeOutput, writeError};
        return tw::runCli(args, tw::defaultCliSources(), streams);
    } catch (...) {
        // What runCli cannot report itself (the arguments, the settings path).
        std::string line = "trackwend-cli: unexpected error";
        try {
            line = tw::toUtf8(tw::currentFailureLine());
        } catch (...) {
        }
        writeError(line + "\r\n");
        return 1;
    }
}
