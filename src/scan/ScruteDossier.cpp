#include "scan/ScruteDossier.h"

#include "platform/Handle.h"
#include "platform/Text.h"

#include <windows.h>

#include <algorithm>
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

// Masks follow the file system's old rules: "?" matches one character, or
// nothing before a dot or at the end of the name; a dot followed by a
// wildcard, or ending the mask, also matches the end of a name that has no
// extension; "*" before a dot does not reach past the name's last dot. So
// "*." is the names without extension, "A?.ENG" takes A.ENG, "*.*" any name.
bool wildcardMatch(const std::wstring& mask, const std::wstring& name) {
    enum Kind : unsigned char { Literal, One, AnyRun, RunToLastDot, DotOrEnd };
    struct Token {
        Kind kind;
        wchar_t c;
    };
    std::vector<Token> tokens;
    for (size_t i = 0; i < mask.size(); ++i) {
        const wchar_t c = mask[i], next = i + 1 < mask.size() ? mask[i + 1] : L'\0';
        if (c == L'?') tokens.push_back({One, c});
        else if (c == L'*') tokens.push_back({next == L'.' ? RunToLastDot : AnyRun, c});
        else if (c == L'.' && (next == L'\0' || next == L'?' || next == L'*')) tokens.push_back({DotOrEnd, c});
        else tokens.push_back({Literal, foldCase(c)});
    }
    const size_t M = tokens.size(), N = name.size();
    const size_t lastDot = name.rfind(L'.');
    // reachable[n]: the tokens so far can match the first n characters.
    std::vector<char> reachable(N + 1, 0), next(N + 1, 0);
    reachable[0] = 1;
    for (size_t t = 0; t < M; ++t) {
        std::fill(next.begin(), next.end(), 0);
        const Token& tk = tokens[t];
        for (size_t n = 0; n <= N; ++n) {
            if (!reachable[n]) continue;
            switch (tk.kind) {
            case Literal:
                if (n < N && foldCase(name[n]) == tk.c) next[n + 1] = 1;
                break;
            case One:
                if (n < N && name[n] != L'.') next[n + 1] = 1;
                else next[n] = 1;   // nothing, at a dot or at the end
                break;
            case DotOrEnd:
                if (n < N && name[n] == L'.') next[n + 1] = 1;
                if (n == N) next[n] = 1;
                break;
            case AnyRun:
                for (size_t k = n; k <= N; ++k) next[k] = 1;
                n = N;   // everything from here on is reached
                break;
            case RunToLastDot:
                next[n] = 1;
                for (size_t k = n; k < N && (lastDot == std::wstring::npos || k < lastDot); ++k) next[k + 1] = 1;
                break;
            }
        }
        reachable.swap(next);
    }
    return reachable[N] != 0;
}

std::wstring TScruteDossier::currentFileName() const {
    auto pos = currentFile_.find_last_of(L'\\');
    return pos == std::wstring::npos ? currentFile_ : currentFile_.substr(pos + 1);
}

void TScruteDossier::Execute() {
    if (running_) return;
    RunGuard guard(running_);
    if (OnExecute) OnExecute(*this);
    rootUnreadable_ = false;
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
    if (!find) return checkListingEnd(depth);
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
    checkListingEnd(depth);
}

// Right after a listing call failed: "no (more) matching names" is its normal
// end; any other reason at the root means the root was not read.
void TScruteDossier::checkListingEnd(int depth) {
    const DWORD error = ::GetLastError();
    if (depth == 0 && error != ERROR_FILE_NOT_FOUND && error != ERROR_NO_MORE_FILES) rootUnreadable_ = true;
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
        if (!find) {
            checkListingEnd(currentDepth_);
            continue;
        }
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
        checkListingEnd(currentDepth_);
    }
}

} // namespace tw
