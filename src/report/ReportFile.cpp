#include "report/ReportFile.h"

#include <windows.h>

#include "platform/Errors.h"
#include "platform/Handle.h"
#include "platform/Text.h"

namespace tw {

std::wstring reportFilePath(const std::wstring& folder, const std::wstring& caption) {
    return folder + L"\\MSTS_" + caption + L".txt";
}

std::string reportFileBytes(const std::vector<std::wstring>& lines) {
    std::string bytes, line1252;
    bool cp1252 = true;
    for (const auto& line : lines) {
        if (!toCp1252Exactly(line, line1252)) {
            cp1252 = false;
            break;
        }
        bytes += line1252;
        bytes += "\r\n";
    }
    // A name Windows-1252 cannot spell would come out as another letter or
    // "?": such a report goes out whole as UTF-8, marked as such.
    if (!cp1252) {
        bytes = "\xEF\xBB\xBF";
        for (const auto& line : lines) {
            bytes += toUtf8(line);
            bytes += "\r\n";
        }
    }
    return bytes;
}

unsigned long writeReportBytes(const std::wstring& path, const std::string& bytes) {
    UniqueFile file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return GetLastError();
    const DWORD size = static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    const BOOL ok = size == 0 || WriteFile(file.get(), bytes.data(), size, &written, nullptr);
    // Closed by hand: a failed close (data not written out) is a failed save.
    const BOOL closed = CloseHandle(file.release());
    if (!ok || written != size || !closed) throw AppError(L"Stream write error");
    return 0;
}

void saveReportFile(const std::wstring& path, const std::vector<std::wstring>& lines) {
    if (const unsigned long error = writeReportBytes(path, reportFileBytes(lines))) throw cannotCreateFile(path, error);
}

} // namespace tw
