#pragma once
// A folder walker raising one event per matching file and one per sub-folder
// met, with a depth limit. It lets pending user-interface messages run while it
// walks, through an injected pump, so it also runs without any window.
#include <cstdint>
#include <functional>
#include <string>

namespace tw {

class TScruteDossier;
using TScruteEvent = std::function<void(TScruteDossier& Sender, const std::wstring& Nom)>;
using TNotifyEvent = std::function<void(TScruteDossier& Sender)>;

class TScruteDossier {
public:
    TScruteDossier() = default;

    // Published properties, with the constructor's defaults.
    std::wstring Dossier = L"c:\\";
    std::wstring Filtre = L"*.*";
    bool SousDossier = true;
    TScruteEvent OnFichier;
    TScruteEvent OnDossier;
    TNotifyEvent OnExecute;
    TNotifyEvent OnFinExecute;
    int MaxPenetration = 10000; // deepest level searched for files; negative = no limit

    // Lets pending user-interface messages run; empty = nothing to pump.
    std::function<void()> pump;
    // Called for each entry of the folder listings that is neither a listed
    // file nor a sub-folder, where no pump runs: a window uses it to bring
    // its display up to date during a long listing. Empty = nothing.
    std::function<void()> tick;

    // One walk with the current properties. A run asked for while a run is in
    // progress on this instance (from a handler or the pump) is refused at once.
    void Execute();
    bool running() const { return running_; }
    // True when the last run could not list its root folder (access refused,
    // gone, not a folder): then finding nothing does not mean nothing is there.
    bool rootUnreadable() const { return rootUnreadable_; }

    // Run-time state readable from the handlers.
    const std::wstring& currentFilePath() const { return currentFile_; }
    std::wstring currentFileName() const;
    std::uint64_t currentFileSize() const { return currentSize_; }
    // Last-write time, packed local date-time: date in the high word (years from
    // 1980, month, day), time in the low word (hours, minutes, seconds / 2).
    std::uint32_t currentFileTime() const { return currentTime_; }
    const std::wstring& currentFolder() const { return currentFolder_; }
    int currentDepth() const { return currentDepth_; }

private:
    void walk(int depth, std::wstring folder, bool recurse);
    void reportFiles(std::wstring folder);
    void givePump() { if (pump) pump(); }
    void checkListingEnd(int depth);

    bool running_ = false;
    bool rootUnreadable_ = false;
    std::wstring currentFile_;
    std::wstring currentFolder_;
    std::uint64_t currentSize_ = 0;
    std::uint32_t currentTime_ = 0;
    int currentDepth_ = 0;
};

// Case-insensitive wildcard match ("*" and "?") of a mask against a long file name.
bool wildcardMatch(const std::wstring& mask, const std::wstring& name);

} // namespace tw
