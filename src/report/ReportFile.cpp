#include "report/ReportFile.h"

#include <windows.h>

#include "platform/Errors.h"

namespace tw {

std::wstring reportFilePath(const std::wstring& folder, const std::wstring& caption) {
    return folder + L"\\MSTS_" + caption + L".txt";
}

namespace {

std::string toCp1252(const std::wstring& text) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(1252, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(1252, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

} // namespace

void saveReportFile(const std::wstring& path, const std::vector<std::wstring>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += toCp1252(line);
        bytes += "\r\n";
    }
    HANDLE raw = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (raw == INVALID_HANDLE_VALUE) throw cannotCreateFile(path, GetLastError());
    const DWORD size = static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    const BOOL ok = size == 0 || WriteFile(raw, bytes.data(), size, &written, nullptr);
    const BOOL closed = CloseHandle(raw);
    if (!ok || written != size || !closed) throw AppError(L"Stream write error");
}

} // namespace tw
