// The least file-system work an analysis needs, for the benchmark: each folder
// of TRAINS\TRAINSET down to its sub-folders (levels 0 and 1) listed once,
// TRAINS\CONSISTS listed once, and each consist opened and read whole once,
// through the same calls the program uses. Prints what it saw.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {
long long files = 0, folders = 0, bytes = 0;

bool hasExtension(const wchar_t* name, const wchar_t* ext) {
    const wchar_t* dot = wcsrchr(name, L'.');
    return dot && _wcsicmp(dot, ext) == 0;
}

// One listing of the folder: files with the extension are counted (and kept
// when asked), sub-folders are counted and walked while depth allows.
void walk(const std::wstring& folder, int depth, const wchar_t* ext, std::vector<std::wstring>* keep) {
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch, nullptr,
                                  FIND_FIRST_EX_LARGE_FETCH);
    if (h == INVALID_HANDLE_VALUE) return;
    std::vector<std::wstring> subs;
    do {
        const wchar_t* n = fd.cFileName;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (wcscmp(n, L".") == 0 || wcscmp(n, L"..") == 0) continue;
            ++folders;
            if (depth < 1) subs.push_back(folder + L"\\" + n);
        } else if (ext ? hasExtension(n, ext) : (hasExtension(n, L".eng") || hasExtension(n, L".wag"))) {
            ++files;
            if (keep) keep->push_back(n);
        }
    } while (::FindNextFileW(h, &fd));
    ::FindClose(h);
    for (const auto& s : subs) walk(s, depth + 1, ext, keep);
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench-baseline SIMULATOR_FOLDER\n");
        return 2;
    }
    const std::wstring root = argv[1];
    std::vector<std::wstring> consistNames;
    walk(root + L"\\TRAINS\\CONSISTS", 1, L".con", &consistNames);
    walk(root + L"\\TRAINS\\TRAINSET", 0, nullptr, nullptr);
    std::vector<char> buf;
    for (const auto& name : consistNames) {
        const std::wstring path = root + L"\\TRAINS\\CONSISTS\\" + name;
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
    std::printf("files %lld folders %lld consists %zu consist bytes %lld\n", files, folders, consistNames.size(), bytes);
    return 0;
}
