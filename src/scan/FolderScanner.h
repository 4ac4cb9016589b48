#pragma once
// The folder walker of the steps, and the file masks it matches names with.
#include "platform/Files.h"
#include "scan/ListingCache.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// A file mask ("*" and "?" wildcards) prepared once for many names.
class WildcardMask {
public:
    explicit WildcardMask(const std::wstring& mask);
    bool matches(const wchar_t* name, std::size_t length) const;
    bool matches(const std::wstring& name) const { return matches(name.data(), name.size()); }

private:
    enum Kind : unsigned char { Literal, One, AnyRun, RunToLastDot, DotOrEnd };
    struct Token {
        Kind kind;
        wchar_t c;
    };
    std::vector<Token> tokens_;
    // "*.EXT" with a plain extension: the name's last dot and what follows it decide.
    bool extensionOnly_ = false;
    std::wstring extension_;   // ".EXT", upper case
};

// One walk: where, what, how deep, and whom to tell.
struct ScanArgs {
    std::wstring root;
    std::wstring masks = L"*.*"; // ";"-separated, each used exactly as written
    bool recurse = true;
    int maxDepth = -1;           // deepest level searched for files; negative = no limit
    // Each file a mask matches (once per matching mask), with its name as listed.
    std::function<void(const std::wstring& path, std::wstring_view name)> onFile{};
    // Each sub-folder met.
    std::function<void(const std::wstring& path)> onFolder{};
};

// What a walk could not see.
struct ScanOutcome {
    // The root could not be listed (access refused, gone, not a folder): then
    // finding nothing does not mean nothing is there.
    bool rootUnreadable = false;
    // The sub-folders met but not listed, or only in part, in walking order:
    // their files were not all reported.
    std::vector<std::wstring> unreadableFolders;
};

// A folder walker raising one event per matching file and one per sub-folder
// met. It lets pending user-interface messages run while it walks, through an
// injected pump, so it also runs without any window.
class FolderScanner {
public:
    // The surroundings every walk shares. Each is optional.
    std::function<void(const std::wstring& root)> onStart; // a walk begins
    std::function<void()> pump;                             // lets pending user-interface messages run
    // Called for each entry of the folder listings that is neither a listed
    // file nor a sub-folder, where no pump runs: a window uses it to bring
    // its display up to date during a long listing.
    std::function<void()> tick;
    // Where walks take and keep their folder listings: a folder the cache holds
    // is not listed again, so later walks see it as it was when first listed.
    // None = every walk lists the disk afresh. The owner decides how long it lives.
    ListingCache* listings = nullptr;

    // One walk. A walk asked for while one is in progress on this instance
    // (from a handler or the pump) is refused at once: no event, nothing unseen.
    ScanOutcome run(const ScanArgs& args);
    bool running() const { return running_; }

private:
    // folder is the path handlers see (the root as given, then the names
    // listed); systemFolder the same place in the extended form, for the system.
    void walk(int depth, std::wstring folder, std::wstring systemFolder);
    void reportFiles(const std::wstring& folder, const FolderListing& listing);
    void givePump() { if (pump) pump(); }

    bool running_ = false;
    const ScanArgs* args_ = nullptr;
    ScanOutcome* outcome_ = nullptr;
    std::vector<WildcardMask> masks_;
    std::wstring currentFile_;
};

} // namespace tw
