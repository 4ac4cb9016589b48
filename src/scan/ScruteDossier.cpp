#include "scan/ScruteDossier.h"

#include "platform/Handle.h"
#include "platform/Text.h"

#include <windows.h>

#include <vector>

namespace tw {

namespace {
wchar_t foldCase(wchar_t c) {
    // The file system compares names without regard to case; CharUpper covers
    // non-ASCII letters too. Plain ASCII is folded here: it is nearly every name.
    if (c < 0x80) return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
    return static_cast<wchar_t>(reinterpret_cast<uintptr_t>(::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<uintptr_t>(c)))));
}

// The search record's last-write time as a packed local date-time: the date
// in the high word, the time (two-second steps) in the low one.
std::uint32_t packedLocalTime(const FILETIME& utc) {
    FILETIME local{};
    WORD date = 0, time = 0;
    if (!::FileTimeToLocalFileTime(&utc, &local) || !::FileTimeToDosDateTime(&local, &date, &time)) return 0;
    return (static_cast<std::uint32_t>(date) << 16) | time;
}

void dropTrailingBackslash(std::wstring& folder) {
    if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
}

// Clears the running flag however the walk ends (a handler may throw).
struct RunGuard {
    bool& flag;
    explicit RunGuard(bool& f) : flag(f) { flag = true; }
    ~RunGuard() { flag = false; }
};
} // namespace

bool wildcardMatch(const std::wstring& mask, const std::wstring& name) {
    // Iterative matcher with one backtrack point for the last "*".
    size_t m = 0, n = 0, starM = std::wstring::npos, starN = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == L'?' || foldCase(mask[m]) == foldCase(name[n]))) {
            ++m;
            ++n;
        } else if (m < mask.size() && mask[m] == L'*') {
            starM = m++;
            starN = n;
        } else if (starM != std::wstring::npos) {
            m = starM + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == L'*') ++m;
    if (m == mask.size()) return true;
    // Windows lets "*.*" and "name.*" match names without any dot.
    return mask.substr(m) == L".*";
}

std::wstring TScruteDossier::currentFileName() const {
    auto pos = currentFile_.find_last_of(L'\\');
    return pos == std::wstring::npos ? currentFile_ : currentFile_.substr(pos + 1);
}

void TScruteDossier::Execute() {
    if (running_) return;
    RunGuard guard(running_);
    if (OnExecute) OnExecute(*this);
    currentFile_.clear();
    currentFolder_.clear();
    currentSize_ = 0;
    currentTime_ = 0;
    walk(0, Dossier, SousDossier);
    if (OnFinExecute) OnFinExecute(*this);
}

void TScruteDossier::walk(int depth, std::wstring folder, bool recurse) {
    if (MaxPenetration >= 0 && depth > MaxPenetration) return;
    currentDepth_ = depth;
    dropTrailingBackslash(folder);
    reportFiles(folder);

    WIN32_FIND_DATAW fd;
    UniqueFind find(::FindFirstFileExW((folder + L"\\*.*").c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch,
                                       nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return;
    do {
        std::wstring name = fd.cFileName;
        if (name == L"." || name == L"..") continue;
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            if (tick) tick();
            continue;
        }
        std::wstring sub = folder + L"\\" + name;
        currentFolder_ = sub;
        if (OnDossier) OnDossier(*this, sub);
        if (recurse) {
            walk(depth + 1, sub, recurse);
            currentDepth_ = depth;
        }
        givePump();
    } while (::FindNextFileW(find.get(), &fd));
}

void TScruteDossier::reportFiles(std::wstring folder) {
    dropTrailingBackslash(folder);
    // Masks are used exactly as written between the separators.
    std::vector<std::wstring> masks;
    size_t start = 0;
    for (;;) {
        size_t sep = Filtre.find(L';', start);
        masks.push_back(Filtre.substr(start, sep == std::wstring::npos ? std::wstring::npos : sep - start));
        if (sep == std::wstring::npos) break;
        start = sep + 1;
    }
    for (const auto& mask : masks) {
        WIN32_FIND_DATAW fd;
        UniqueFind find(::FindFirstFileExW((folder + L"\\" + mask).c_str(), FindExInfoBasic, &fd,
                                           FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
        if (!find) continue;
        do {
            givePump();
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            if (!OnFichier) continue;
            std::wstring name = fd.cFileName;
            // The system also matches masks against generated short names:
            // keep only what the mask matches on the real name.
            if (!wildcardMatch(mask, name)) continue;
            currentFile_ = folder + L"\\" + name;
            currentSize_ = (static_cast<std::uint64_t>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
            currentTime_ = packedLocalTime(fd.ftLastWriteTime);
            OnFichier(*this, currentFile_);
        } while (::FindNextFileW(find.get(), &fd));
    }
}

} // namespace tw
