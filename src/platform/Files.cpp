#include "platform/Files.h"

#include "platform/Errors.h"
#include "platform/Handle.h"

#include <windows.h>

namespace tw {

bool directoryExists(const std::wstring& path) {
    DWORD a = ::GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool fileExists(const std::wstring& path) {
    DWORD a = ::GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<unsigned char> readWholeFile(const std::wstring& path) {
    std::vector<unsigned char> data;
    readWholeFile(path, data);
    return data;
}

namespace {
UniqueFile openForReading(const std::wstring& path) {
    return UniqueFile(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

void readOpened(const UniqueFile& f, const std::wstring& path, std::vector<unsigned char>& data) {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(f.get(), &size)) throw cannotOpenFile(path, ::GetLastError());
    data.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < data.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1u << 30));
        DWORD got = 0;
        if (!::ReadFile(f.get(), data.data() + done, chunk, &got, nullptr)) throw cannotOpenFile(path, ::GetLastError());
        if (got == 0) break;
        done += got;
    }
    data.resize(done);
}
} // namespace

void readWholeFile(const std::wstring& path, std::vector<unsigned char>& data) {
    UniqueFile f = openForReading(path);
    if (!f) throw cannotOpenFile(path, ::GetLastError());
    readOpened(f, path, data);
}

bool readWholeFileIfPresent(const std::wstring& path, std::vector<unsigned char>& data) {
    UniqueFile f = openForReading(path);
    if (!f) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return false;
        // Other refusals need a look: a folder of that name, or a path the
        // system cannot resolve, holds no file; a file that is there but
        // refused (held open for writing...) is the error.
        if (!fileExists(path)) return false;
        throw cannotOpenFile(path, error);
    }
    readOpened(f, path, data);
    return true;
}

std::vector<FolderEntry> listFolder(const std::wstring& folder) {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAW fd;
    // Every name, then the caller's own checks: a mask would also match generated short names.
    UniqueFind find(::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch,
                                       nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return entries;
    do {
        const std::wstring name = fd.cFileName;
        if (name == L"." || name == L"..") continue;
        entries.push_back({name, (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (::FindNextFileW(find.get(), &fd));
    return entries;
}

std::wstring executablePath() {
    std::wstring buf(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = ::GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n < buf.size()) {
            buf.resize(n);
            return buf;
        }
        buf.resize(buf.size() * 2);
    }
}

std::wstring executableFolder() {
    std::wstring p = executablePath();
    auto pos = p.find_last_of(L'\\');
    return pos == std::wstring::npos ? std::wstring() : p.substr(0, pos);
}

} // namespace tw
