#pragma once
// The stock check: what each engine and wagon file names on disk. It reads
// every stock file once, resolves what each names, and tells which stock is
// broken, which trainset folders can go (with their size), which are kept
// only because used stock needs them, and where a missing vehicle's file
// sits in another folder. Every folder it looks into is listed once per run.
#include "analysis/MissingStock.h"
#include "analysis/StockFileReader.h"
#include "analysis/StockSet.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tw {

enum class StockRoot { Simulator, Store };

struct AbsentReference {
    StockReferenceKind kind;
    std::wstring name;  // as written
    std::wstring path;  // resolved, relative to the root's TRAINS\TRAINSET
    bool unknown;       // its folder could not be listed: absent as far as can be told
};

struct BrokenStock {
    std::wstring stock; // relative to TRAINS\TRAINSET, as the sets write it
    bool used;
    std::vector<AbsentReference> absent;
};

// A folder directly under a root's TRAINS\TRAINSET.
struct TrainsetFolder {
    std::wstring folder;
    StockRoot root;
    std::uint64_t bytes = 0;               // every file beneath it (removable and unneeded folders)
    std::vector<std::wstring> neededBy;    // the first three used stock files that need it (kept folders)
};

struct FoundElsewhere {
    std::wstring missing;                  // the missing reference
    std::vector<std::wstring> candidates;  // at most three, in set order
};

struct StockCheckResult {
    std::size_t stockFilesRead = 0;
    std::vector<BrokenStock> broken;        // used stock first, then orphans
    std::vector<TrainsetFolder> removable;  // in folder order
    std::vector<TrainsetFolder> unneeded;
    std::vector<TrainsetFolder> kept;
    std::vector<FoundElsewhere> foundElsewhere;
    std::vector<std::wstring> unreadable;   // stock files that could not be opened or decoded
    std::vector<TrainsetFolder> unlisted;   // folders with a part that could not be listed (path relative to TRAINSET)
    std::size_t folderListings = 0;         // how many folders the run listed
};

struct StockCheckInputs {
    std::wstring simulatorFolder;
    std::wstring storeFolder;               // empty: the store is not part of the analysis
    const StockSet& used;
    const StockSet& orphans;
    const StockSet& stock;
    const MissingStock& missing;            // step 5's finding
};

// Runs the check; progress is called before each stock file with its index
// (used stock first, then orphans).
StockCheckResult checkStock(const StockCheckInputs& inputs, const std::function<void(std::size_t)>& progress);

} // namespace tw
