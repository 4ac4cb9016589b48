#include "support/TempFolder.h"

#include <windows.h>
#include <shellapi.h>

#include <atomic>
#include <stdexcept>

namespace twtest {

namespace {
// Through the extended form, so that names a classic path would alter ("A.",
// "B ", "NUL.con") are made and removed as written.
std::wstring exact(const std::wstring& full) { return L"\\\\?\\" + full; }

void makeParents(const std::wstring& full) {
    for (size_t pos = full.find(L'\\', 3); pos != std::wstring::npos; pos = full.find(L'\\', pos + 1))
        ::CreateDirectoryW(exact(full.substr(0, pos)).c_str(), nullptr);
}

void removeTree(const std::wstring& dir) {
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileW(exact(dir + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::wstring n = fd.cFileName;
            if (n == L"." || n == L"..") continue;
            std::wstring p = dir + L"\\" + n;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) { // a link goes, never what it leads to
                if (!::RemoveDirectoryW(exact(p).c_str())) ::DeleteFileW(exact(p).c_str());
                continue;
            }
            ::SetFileAttributesW(exact(p).c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) removeTree(p);
            else ::DeleteFileW(exact(p).c_str());
        } while (::FindNextFileW(h, &fd));
        ::FindClose(h);
    }
    ::SetFileAttributesW(exact(dir).c_str(), FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryW(exact(dir).c_str());
}
} // namespace

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    wchar_t tmp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, tmp);
    std::wstring base = tmp;
    if (!base.empty() && base.back() == L'\\') base.pop_back();
    for (;;) {
        root_ = base + L"\\twtest-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++counter) +
                L"-" + std::to_wstring(::GetTickCount());
        if (::CreateDirectoryW(root_.c_str(), nullptr)) break;
        if (::GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create temp folder");
    }
}

TempFolder::~TempFolder() { removeTree(root_); }

std::wstring TempFolder::operator/(const std::wstring& relative) const { return root_ + L"\\" + relative; }

std::wstring TempFolder::makeDir(const std::wstring& relative) const {
    std::wstring full = *this / relative;
    makeParents(full + L"\\");
    return full;
}

std::wstring TempFolder::writeBytes(const std::wstring& relative, const std::vector<unsigned char>& bytes) const {
    std::wstring full = *this / relative;
    makeParents(full);
    HANDLE h = ::CreateFileW(exact(full).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write test file");
    DWORD written = 0;
    if (!bytes.empty()) ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(h);
    return full;
}

std::wstring TempFolder::writeBytes(const std::wstring& relative, const std::string& bytes) const {
    return writeBytes(relative, std::vector<unsigned char>(bytes.begin(), bytes.end()));
}

std::wstring TempFolder::touch(const std::wstring& relative) const { return writeBytes(relative, std::vector<unsigned char>{}); }

std::wstring TempFolder::writeUtf16(const std::wstring& relative, const std::wstring& text) const {
    std::vector<unsigned char> bytes{0xFF, 0xFE};
    for (wchar_t c : text) {
        bytes.push_back(static_cast<unsigned char>(c & 0xFF));
        bytes.push_back(static_cast<unsigned char>((c >> 8) & 0xFF));
    }
    return writeBytes(relative, bytes);
}

std::vector<unsigned char> TempFolder::readBytes(const std::wstring& relative) const {
    std::wstring full = *this / relative;
    HANDLE h = ::CreateFileW(full.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    std::vector<unsigned char> data(::GetFileSize(h, nullptr));
    DWORD got = 0;
    if (!data.empty()) ::ReadFile(h, data.data(), static_cast<DWORD>(data.size()), &got, nullptr);
    ::CloseHandle(h);
    data.resize(got);
    return data;
}

std::wstring consistText(const std::wstring& consistName, const std::vector<ConsistEntry>& entries) {
    std::wstring t = L"SIMISA@@@@@@@@@@JINX0D0t______\r\n\r\nTrain (\r\n\tTrainCfg ( " + consistName +
                     L"\r\n\t\tName ( \"" + consistName + L"\" )\r\n\t\tSerial ( 1 )\r\n\t\tMaxVelocity ( 40.00000 0.10000 )\r\n\t\tNextWagonUID ( " +
                     std::to_wstring(entries.size()) + L" )\r\n\t\tDurability ( 0.50000 )\r\n";
    int uid = 0;
    for (const auto& e : entries) {
        bool engine = e.kind == 'E';
        t += engine ? L"\t\tEngine (\r\n" : L"\t\tWagon (\r\n";
        t += L"\t\t\tUiD ( " + std::to_wstring(uid++) + L" )\r\n";
        t += engine ? L"\t\t\tEngineData ( " : L"\t\t\tWagonData ( ";
        t += e.name + L" " + e.folder + L" )\r\n\t\t)\r\n";
    }
    t += L"\t)\r\n)";
    return t;
}

std::wstring activityText(const std::vector<ConsistEntry>& looseConsist) {
    std::wstring t = L"SIMISA@@@@@@@@@@JINX0a0t______\r\n\r\nTr_Activity (\r\n\tSerial ( 1 )\r\n\tTr_Activity_Header (\r\n"
                     L"\t\tName ( \"Test run\" )\r\n"
                     L"\t\tDescription ( \"Pick up the coaches: WagonData ( gone GONE ) is only words.\" )\r\n"
                     L"\t)\r\n\tTr_Activity_File (\r\n\t\tPlayer_Service_Definition ( \"Coal Drag\" )\r\n"
                     L"\t\tTraffic_Definition ( \"Busy day\"\r\n\t\t\tService_Definition ( \"Mixed Freight\" 3600 )\r\n\t\t)\r\n"
                     L"\t\tActivityObjects (\r\n\t\t\tActivityObject (\r\n\t\t\t\tObjectType ( WagonsList )\r\n"
                     L"\t\t\t\tTrain_Config (\r\n\t\t\t\t\tTrainCfg ( \"\"\r\n\t\t\t\t\t\tName ( \"Loose consist.\" )\r\n";
    int uid = 0;
    for (const auto& e : looseConsist) {
        const std::wstring body = e.name + L" " + e.folder;
        const std::wstring id = L"UiD ( " + std::to_wstring(uid++) + L" )";
        t += e.kind == 'E' ? L"\t\t\t\t\t\tEngine ( " + id + L" EngineData ( " + body + L" ) )\r\n"
                           : L"\t\t\t\t\t\tWagon ( WagonData ( " + body + L" ) " + id + L" )\r\n";
    }
    t += L"\t\t\t\t\t)\r\n\t\t\t\t)\r\n\t\t\t\tDirection ( 1 ) ID ( 32769 ) Tile ( -6113 15145 111.9 582.2 )\r\n"
         L"\t\t\t)\r\n\t\t)\r\n\t)\r\n)";
    return t;
}

bool makeFolderLink(const std::wstring& link, const std::wstring& target) {
    if (::CreateSymbolicLinkW(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY | 0x2 /* unprivileged */) &&
        ::GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    // Wine makes no link through that call; its own path names let the system's ln make one.
    using UnixName = char* (*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName) return false;
    char* from = unixName(target.c_str());
    const std::wstring name = link.substr(link.find_last_of(L'\\') + 1);
    char* in = unixName(link.substr(0, link.find_last_of(L'\\')).c_str());
    if (!from || !in) return false;
    std::wstring command = L"/bin/ln -s \"";
    for (const char* c = from; *c; ++c) command += static_cast<wchar_t>(*c);
    command += L"\" \"";
    for (const char* c = in; *c; ++c) command += static_cast<wchar_t>(*c);
    command += L"/" + name + L"\"";
    ::HeapFree(::GetProcessHeap(), 0, from);
    ::HeapFree(::GetProcessHeap(), 0, in);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    ::WaitForSingleObject(pi.hProcess, 10000);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    // The handle Wine gives for a Unix program may be signalled before the
    // program is done: the link is waited for a moment.
    for (int i = 0; i < 500; ++i) {
        if (::GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
        ::Sleep(10);
    }
    return false;
}

} // namespace twtest
