#include "platform/Files.h"

#include "platform/Errors.h"
#include "platform/Handle.h"

#include <windows.h>

namespace tw {

namespace {
constexpr std::wstring_view kExtendedPrefix = L"\\\\?\\";
constexpr std::wstring_view kExtendedUncPrefix = L"\\\\?\\UNC\\";
constexpr std::wstring_view kDevicePrefix = L"\\\\.\\";

bool startsWith(std::wstring_view text, std::wstring_view start) { return text.substr(0, start.size()) == start; }
} // namespace

std::wstring extendedPath(const std::wstring& path) {
    // Already extended: the system would not normalise it, nor must we.
    if (startsWith(path, kExtendedPrefix) || startsWith(path, kDevicePrefix)) return path;
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (n == 0) return path;
        // Too small: n is the size needed, the terminating zero included.
        if (n >= full.size()) {
            full.resize(n);
            continue;
        }
        full.resize(n);
        break;
    }
    // A device name in the last place ("C:\x\NUL") comes back as "\\.\NUL": the user named a device.
    if (startsWith(full, kDevicePrefix) || startsWith(full, kExtendedPrefix)) return full;
    if (startsWith(full, L"\\\\")) return std::wstring(kExtendedUncPrefix) + full.substr(2);
    return std::wstring(kExtendedPrefix) + full;
}

std::wstring shownPath(const std::wstring& path) {
    if (startsWith(path, kExtendedUncPrefix)) return L"\\\\" + path.substr(kExtendedUncPrefix.size());
    if (startsWith(path, kExtendedPrefix)) return path.substr(kExtendedPrefix.size());
    return path;
}

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
// Every sharing mode: an editor or the simulator holding a consist open, even
// with write or delete access, must not stop the reading.
UniqueFile openForReading(const std::wstring& path) {
    return UniqueFile(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

[[noreturn]] void failRead(const std::wstring& path) {
    const DWORD error = ::GetLastError();
    throw cannotOpenFile(shownPath(path), error);
}

// 0, or the system's error code; data then holds what was read, if anything.
unsigned long readOpened(const UniqueFile& f, std::vector<unsigned char>& data) {
    data.clear();
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(f.get(), &size)) return ::GetLastError();
    data.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < data.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(data.size() - done, 1u << 30));
        DWORD got = 0;
        if (!::ReadFile(f.get(), data.data() + done, chunk, &got, nullptr)) {
            const DWORD error = ::GetLastError();
            data.resize(done);
            return error;
        }
        if (got == 0) break;
        done += got;
    }
    data.resize(done);
    return 0;
}

void readOpened(const UniqueFile& f, const std::wstring& path, std::vector<unsigned char>& data) {
    if (const unsigned long error = readOpened(f, data)) throw cannotOpenFile(shownPath(path), error);
}

// A folder opens only with backup semantics; its attributes need no other access.
UniqueFile openFolderAttributes(const std::wstring& path) {
    return UniqueFile(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}
} // namespace

void readWholeFile(const std::wstring& path, std::vector<unsigned char>& data) {
    UniqueFile f = openForReading(path);
    if (!f) failRead(path);
    readOpened(f, path, data);
}

bool readWholeFileIfPresent(const std::wstring& path, std::vector<unsigned char>& data) {
    UniqueFile f = openForReading(path);
    if (!f) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return false;
        // Other refusals need a look: a folder of that name, or a path the
        // system cannot resolve, holds no file; a file that is there but
        // refused (access denied, locked by another program) is the error.
        if (!fileExists(path)) return false;
        throw cannotOpenFile(shownPath(path), error);
    }
    readOpened(f, path, data);
    return true;
}

unsigned long readWholeFileOrCode(const std::wstring& path, std::vector<unsigned char>& data) {
    data.clear();
    UniqueFile f = openForReading(path);
    return f ? readOpened(f, data) : ::GetLastError();
}

bool folderIdentity(const std::wstring& path, FolderIdentity& identity) {
    UniqueFile f = openFolderAttributes(path);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!f || !::GetFileInformationByHandle(f.get(), &info)) return false;
    identity.volume = info.dwVolumeSerialNumber;
    identity.index = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
}

bool finalFolderPath(const std::wstring& path, std::wstring& finalPath) {
    UniqueFile f = openFolderAttributes(path);
    if (!f) return false;
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetFinalPathNameByHandleW(f.get(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                                    FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n == 0) return false;
        // Too small: n is the size needed, the terminating zero included.
        if (n >= buffer.size()) {
            buffer.resize(n);
            continue;
        }
        buffer.resize(n);
        break;
    }
    finalPath = std::move(buffer);
    return true;
}

bool FolderListing::isFolder(const Entry& e) { return (e.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

bool FolderListing::isLink(const Entry& e) { return (e.attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0; }

bool FolderListing::isDotOrDotDot(const Entry& e) const {
    const std::wstring_view n = nameView(e);
    return n == L"." || n == L"..";
}

unsigned long listFolder(const std::wstring& folder, FolderListing& listing) {
    listing.names.clear();
    listing.entries.clear();
    WIN32_FIND_DATAW fd;
    // Basic information leaves the short names out; "*" takes every name, so
    // the masks are matched by this program on the real names only.
    UniqueFind find(::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch,
                                       nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return ::GetLastError();
    do {
        const size_t length = wcsnlen(fd.cFileName, MAX_PATH);
        listing.entries.push_back({static_cast<std::uint32_t>(listing.names.size()), static_cast<std::uint32_t>(length),
                                   fd.dwFileAttributes,
                                   (static_cast<std::uint64_t>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow,
                                   (static_cast<std::uint64_t>(fd.ftLastWriteTime.dwHighDateTime) << 32) |
                                       fd.ftLastWriteTime.dwLowDateTime});
        listing.names.append(fd.cFileName, length);
        listing.names.push_back(L'\0');
    } while (::FindNextFileW(find.get(), &fd));
    // The normal end is "no more files"; anything else cut the listing short.
    const unsigned long end = ::GetLastError();
    return end == ERROR_NO_MORE_FILES ? ERROR_SUCCESS : end;
}

bool listingIncomplete(unsigned long listResult) {
    return listResult != ERROR_SUCCESS && listResult != ERROR_FILE_NOT_FOUND;
}

ListingState listingState(unsigned long listResult) {
    switch (listResult) {
    case ERROR_SUCCESS:
    case ERROR_FILE_NOT_FOUND: return ListingState::Listed; // listed, nothing in it
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DIRECTORY:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME: return ListingState::Absent;
    default: return ListingState::Unlisted;
    }
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
