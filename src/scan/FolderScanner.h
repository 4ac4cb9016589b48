#pragma once
// A folder walker raising one event per matching file and one per sub-folder
// met, with a depth limit. It lets pending user-interface messages run while it
// walks, through an injected pump, so it also runs without any window.
#include "platform/Files.h"
#include "scan/ListingCache.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tw {

class FolderScanner;
using ScanEvent = std::function<void(FolderScanner& sender, const std::wstring& path)>;
using ScanNotify = std::function<void(FolderScanner& sender)>;

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

class FolderScanner {
public:
    FolderScanner() = default;

    // Published properties, with the constructor's defaults.
    std::wstring root = L"c:\\";
    std::wstring masks = L"*.*";
    bool recurse = true;
    ScanEvent onFile;
    ScanEvent onFolder;
    ScanNotify onStart;
    ScanNotify onFinish;
    int maxDepth = 10000; // deepest level searched for files; negative = no limit

    // Lets pending user-interface messages run; empty = nothing to pump.
    std::function<void()> pump;
    // Called for each entry of the folder listings that is neither a listed
    // file nor a sub-folder, where no pump runs: a window uses it to bring
    // its display up to date during a long listing. Empty = nothing.
    std::function<void()> tick;
    // Where runs take and keep their folder listings: a folder the cache holds
    // is not listed again, so later walks see it as it was when first listed.
    // None = every run lists the disk afresh. The owner decides how long it lives.
    ListingCache* listings = nullptr;

    // One walk with the current properties. A run asked for while a run is in
    // progress on this instance (from a handler or the pump) is refused at once.
    void run();
    bool running() const { return running_; }

    // Run-time state readable from the handlers.
    const std::wstring& currentFilePath() const { return currentFile_; }
    std::wstring currentFileName() const;
    std::uint64_t currentFileSize() const { return currentSize_; }
    // Last-write time, packed local date-time: date in the high word (years from
    // 1980, month, day), time in the low word (hours, minutes, seconds / 2).
    std::uint32_t currentFileTime() const;
    const std::wstring& currentFolder() const { return currentFolder_; }
    int currentDepth() const { return currentDepth_; }
    // True when the last run could not list its root folder (access refused,
    // gone, not a folder): then finding nothing does not mean nothing is there.
    bool rootUnreadable() const { return rootUnreadable_; }
    // The sub-folders the last run met but could not list, or listed only in
    // part, in walking order: their files were not all reported.
    const std::vector<std::wstring>& unreadableFolders() const { return unreadableFolders_; }

private:
    // folder is the path handlers see (the root as given, then the names
    // listed); systemFolder the same place in the extended form, for the system.
    void walk(int depth, std::wstring folder, std::wstring systemFolder, bool recurse);
    void reportFiles(const std::wstring& folder, const FolderListing& listing);
    void givePump() { if (pump) pump(); }

    bool running_ = false;
    bool rootUnreadable_ = false;
    std::vector<std::wstring> unreadableFolders_;
    std::vector<WildcardMask> masks_;
    std::wstring currentFile_;
    std::wstring currentFolder_;
    std::uint64_t currentSize_ = 0;
    std::uint64_t currentWriteTime_ = 0;
    int currentDepth_ = 0;
};

// Case-insensitive wildcard match ("*" and "?") of a mask against a long file name.
bool wildcardMatch(const std::wstring& mask, const std::wstring& name);

} // namespace tw
