#pragma once
// What a stock file needs on disk, read as the simulator reads it: the Open
// Rails file in its folder's OpenRails sub-folder read instead of it, its
// includes read where they stand, and every name resolved to the path the
// simulator uses. Each folder is asked of the run's listing cache, and each
// included file is read once per run however many stock files include it.
// A file that cannot be read is a finding of the reading, never an error.
#include "analysis/StockFileReader.h"
#include "scan/ListingCache.h"

#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace tw {

// One name a stock file needs, with the path it was looked for at.
struct ResolvedReference {
    StockReferenceKind kind;
    std::wstring name;          // as written
    std::wstring path;          // the file used, or else the first path looked at
    PathState state;            // Unknown: a folder on the way could not be listed
    bool includeLoop = false;   // an include of a file already being read: the loop's closing name
};

struct StockFileReading {
    // The stock file, or a file it includes, that cannot be read as the simulator would.
    StockTextProblem problem = StockTextProblem::None;
    std::wstring unreadableFile;
    unsigned long systemError = 0; // why it could not be opened or read
    bool fileRead = false;         // the stock file (or its OpenRails file) itself was read
    bool openRailsFile = false;    // the OpenRails sub-folder's file was read instead of the stock file
    std::vector<ResolvedReference> references; // in file order, each include followed by what it names
};

class StockFileResolver {
public:
    // simulator: the simulator's folder, in the form the cache's paths use.
    StockFileResolver(ListingCache& cache, std::wstring simulator);

    // Reads the stock file at path (present as far as the cache knows) whose
    // root's TRAINS\TRAINSET folder is trainset.
    StockFileReading read(const std::wstring& path, const std::wstring& trainset);

    // Files read so far (stock, Open Rails and included files).
    std::size_t filesRead() const { return filesRead_; }

private:
    struct ParsedFile {
        StockTextProblem problem = StockTextProblem::None;
        unsigned long systemError = 0;
        std::vector<StockReference> references;
    };

    ParsedFile parse(const std::wstring& path);
    const ParsedFile& included(const std::wstring& path);
    void expand(const std::wstring& file, const ParsedFile& parsed, const StockFolders& folders, StockFileReading& out);
    ResolvedReference resolve(const StockReference& ref, const StockFolders& folders);

    ListingCache& cache_;
    std::wstring simulator_;
    std::unordered_map<std::wstring, ParsedFile> includes_; // by fileSystemUpper(path)
    std::vector<std::wstring> stack_;                        // fileSystemUpper of the files being read
    std::unordered_set<std::wstring> expanded_;              // included files already expanded for this stock file
    std::vector<unsigned char> bytes_;                       // kept across files
    std::wstring text_;
    std::size_t filesRead_ = 0;
};

} // namespace tw
