#include "scan/FolderScanner.h"

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
WildcardMask::WildcardMask(const std::wstring& mask) {
    for (size_t i = 0; i < mask.size(); ++i) {
        const wchar_t c = mask[i], next = i + 1 < mask.size() ? mask[i + 1] : L'\0';
        if (c == L'?') tokens_.push_back({One, c});
        else if (c == L'*') tokens_.push_back({next == L'.' ? RunToLastDot : AnyRun, c});
        else if (c == L'.' && (next == L'\0' || next == L'?' || next == L'*')) tokens_.push_back({DotOrEnd, c});
        else tokens_.push_back({Literal, foldCase(c)});
    }
    // "*.ENG" and its kind, what the scans ask for: the run stops at the name's
    // last dot and the plain extension holds no dot, so the mask matches
    // exactly the names whose last dot starts that extension.
    if (tokens_.size() >= 3 && tokens_[0].kind == RunToLastDot && tokens_[1].kind == Literal && tokens_[1].c == L'.' &&
        std::all_of(tokens_.begin() + 2, tokens_.end(), [](const Token& t) { return t.kind == Literal && t.c != L'.'; })) {
        extensionOnly_ = true;
        for (size_t t = 1; t < tokens_.size(); ++t) extension_ += tokens_[t].c;
    }
}

bool WildcardMask::matches(const wchar_t* name, std::size_t N) const {
    size_t lastDot = std::wstring::npos;
    for (size_t i = N; i-- > 0;)
        if (name[i] == L'.') {
            lastDot = i;
            break;
        }
    if (extensionOnly_) {
        if (lastDot == std::wstring::npos || N - lastDot != extension_.size()) return false;
        for (size_t i = 0; i < extension_.size(); ++i)
            if (foldCase(name[lastDot + i]) != extension_[i]) return false;
        return true;
    }
    const size_t M = tokens_.size();
    // reachable[n]: the tokens so far can match the first n characters.
    std::vector<char> reachable(N + 1, 0), next(N + 1, 0);
    reachable[0] = 1;
    for (size_t t = 0; t < M; ++t) {
        std::fill(next.begin(), next.end(), 0);
        const Token& tk = tokens_[t];
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

ScanOutcome FolderScanner::run(const ScanArgs& args) {
    ScanOutcome outcome;
    if (running_) return outcome;
    RunGuard guard(running_);
    args_ = &args;
    outcome_ = &outcome;
    if (onStart) onStart(args.root);
    masks_.clear();
    size_t start = 0;
    for (;;) {
        size_t sep = args.masks.find(L';', start);
        masks_.emplace_back(args.masks.substr(start, sep == std::wstring::npos ? std::wstring::npos : sep - start));
        if (sep == std::wstring::npos) break;
        start = sep + 1;
    }
    // The root is made full once; below it every path is the extended root and
    // the names exactly as listed, so long paths and names the system would
    // otherwise alter ("A.", "A ") or take for a device ("NUL.con") are reached.
    walk(0, args.root, extendedPath(args.root));
    args_ = nullptr;
    outcome_ = nullptr;
    return outcome;
}

// Each folder is listed once, all names together; the files for every mask
// and the sub-folders are all taken from that one listing.
void FolderScanner::walk(int depth, std::wstring folder, std::wstring systemFolder) {
    if (args_->maxDepth >= 0 && depth > args_->maxDepth) return;
    dropTrailingBackslash(folder);
    dropTrailingBackslash(systemFolder);

    FolderListing own;
    const FolderListing* listing = &own;
    unsigned long error = 0;
    if (listings) {
        const ListingCache::Folder& kept = listings->folder(systemFolder);
        listing = &kept.listing;
        error = kept.error;
    } else {
        error = listFolder(systemFolder, own);
    }
    if (listingIncomplete(error)) {
        // A listing refused or cut short: finding nothing there does not
        // mean nothing is there. The root's caller stops; a sub-folder is
        // kept for the caller to name. What was listed before a failure is
        // still reported.
        if (depth == 0) outcome_->rootUnreadable = true;
        else outcome_->unreadableFolders.push_back(folder);
        if (listing->entries.empty()) return;
    }

    reportFiles(folder, *listing);

    for (const FolderListing::Entry& e : listing->entries) {
        if (listing->isDotOrDotDot(e)) continue;
        if (!FolderListing::isFolder(e)) {
            if (tick) tick();
            continue;
        }
        std::wstring sub = folder + L"\\";
        sub += listing->nameView(e);
        if (args_->onFolder) args_->onFolder(sub);
        if (args_->recurse) {
            std::wstring systemSub = systemFolder + L"\\";
            systemSub += listing->nameView(e);
            walk(depth + 1, sub, std::move(systemSub));
        }
        givePump();
    }
}

// For each mask in order, the entries it matches on their real names, as the
// system's own listing of that mask would give them; directories are not reported.
void FolderScanner::reportFiles(const std::wstring& folder, const FolderListing& listing) {
    for (const WildcardMask& mask : masks_) {
        for (const FolderListing::Entry& e : listing.entries) {
            const wchar_t* name = listing.name(e);
            if (!mask.matches(name, e.nameLength)) continue;
            givePump();
            if (FolderListing::isFolder(e)) continue;
            if (!args_->onFile) continue;
            currentFile_.assign(folder);
            currentFile_ += L'\\';
            const size_t nameAt = currentFile_.size();
            currentFile_.append(name, e.nameLength);
            args_->onFile(currentFile_, std::wstring_view(currentFile_).substr(nameAt));
        }
    }
}

} // namespace tw
