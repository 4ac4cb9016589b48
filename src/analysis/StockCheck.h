#pragma once
// The stock check: what each engine and wagon file names on disk, read as the
// simulator reads it. It reads every stock file once (a copy in each root in
// both), resolves what each names, and tells which stock is broken, which
// trainset folders can go (with their size), which are kept because used
// stock needs them or because they hold a missing vehicle's file, and where a
// missing vehicle's file sits in another folder. Every folder it looks into
// is listed once per run. A used stock file it cannot read may name any
// folder: then no folder is called removable or unneeded.
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
    std::wstring name;        // as written
    std::wstring path;        // resolved, relative to the root's TRAINS\TRAINSET (whole when outside it)
    bool unknown = false;     // its folder could not be listed: absent as far as can be told
    bool includeLoop = false; // an include of a file already being read: the name that closes the loop
};

struct BrokenStock {
    std::wstring stock;        // relative to TRAINS\TRAINSET, as the sets write it
    StockRoot root;
    bool used;
    bool openRailsFile;        // its OpenRails file was read instead of it
    std::vector<AbsentReference> absent;
};

// A folder directly under a root's TRAINS\TRAINSET, named as listed on disk.
struct TrainsetFolder {
    std::wstring folder;
    StockRoot root = StockRoot::Simulator;
    std::uint64_t bytes = 0;               // every file beneath it (removable and unneeded folders; 0 for a link)
    std::vector<std::wstring> neededBy;    // the first three used stock files that need it (kept folders)
    std::vector<std::wstring> missedBy;    // the first three missing references it holds a candidate of (kept folders)
    bool link = false;                     // a link or junction to a folder listed under another name
    std::wstring linkedTo;                 // that folder as listed, when it is a trainset folder too
};

struct FoundElsewhere {
    std::wstring missing;                  // the missing reference
    std::vector<std::wstring> candidates;  // at most three, in set order
};

// A stock file that could not be read as the simulator reads it.
struct UnreadableStock {
    std::wstring stock;             // relative to TRAINS\TRAINSET
    StockRoot root;
    bool used;
    std::wstring file;              // the file that could not be read (the stock file, its OpenRails file or an
                                    // include), relative to the root's TRAINS\TRAINSET (whole when outside it)
    StockTextProblem problem;
    std::wstring systemReason;      // why it could not be opened (CannotOpen), in the system's words
};

struct StockCheckResult {
    std::wstring simulatorFolder;           // the folders checked, as the analysis named them
    std::wstring storeFolder;               // empty: the store was not part of the analysis
    std::size_t stockFilesRead = 0;         // stock file copies read
    std::vector<BrokenStock> broken;        // used stock first, then orphans
    std::vector<TrainsetFolder> removable;  // in folder order
    std::vector<TrainsetFolder> unneeded;
    std::vector<TrainsetFolder> kept;
    std::vector<FoundElsewhere> foundElsewhere; // in the missing references' order
    std::vector<UnreadableStock> unreadable;
    std::vector<TrainsetFolder> unlisted;   // folders with a part that could not be listed
    // The first used stock file that could not be read: it may name any folder,
    // so removable and unneeded are empty. Empty when every used one was read.
    std::wstring blockedBy;
    std::size_t folderListings = 0;         // how many folders the run listed
    std::size_t filesRead = 0;              // stock, Open Rails and included files read
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
