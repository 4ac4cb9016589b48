// The bare I/O of an analysis, for the benchmark: the same directory listings
// with the same calls, and every consist read whole. Prints what it saw.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {
std::vector<std::wstring> consistNames;
long long files = 0, folders = 0, bytes = 0;

void listFiles(const std::wstring& folder, const wchar_t* mask, bool keepNames) {
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileExW((folder + L"\\" + mask).c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch, nullptr,
                                  FIND_FIRST_EX_LARGE_FETCH);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        ++files;
        if (keepNames) consistNames.push_back(fd.cFileName);
    } while (::FindNextFileW(h, &fd));
    ::FindClose(h);
}

void walk(const std::wstring& folder, int depth, const wchar_t* mask, bool recurse, bool keepNames) {
    if (depth > 1) return;
    listFiles(folder, mask, keepNames);
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileExW((folder + L"\\*.*").c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch, nullptr,
                                  FIND_FIRST_EX_LARGE_FETCH);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        std::wstring n = fd.cFileName;
        if (n == L"." || n == L".." || !(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        ++folders;
        if (recurse) walk(folder + L"\\" + n, depth + 1, mask, recurse, keepNames);
    } while (::FindNextFileW(h, &fd));
    ::FindClose(h);
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench-baseline SIMULATOR_FOLDER\n");
        return 2;
    }
    std::wstring root = argv[1];
    walk(root + L"\\TRAINS\\CONSISTS", 0, L"*.CON", false, true);
    walk(root + L"\\TRAINS\\TRAINSET", 0, L"*.ENG", true, false);
    walk(root + L"\\TRAINS\\TRAINSET", 0, L"*.WAG", true, false);
    std::vector<char> buf;
    for (const auto& name : consistNames) {
        std::wstring path = root + L"\\TRAINS\\CONSISTS\\" + name;
        if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
        HANDLE f = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (f == INVALID_HANDLE_VALUE) continue;
        LARGE_INTEGER size{};
        ::GetFileSizeEx(f, &size);
        buf.resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        if (!buf.empty()) ::ReadFile(f, buf.data(), static_cast<DWORD>(buf.size()), &got, nullptr);
        bytes += got;
        ::CloseHandle(f);
    }
    std::printf("files %lld folders %lld consist bytes %lld\n", files, folders, bytes);
    return 0;
}
