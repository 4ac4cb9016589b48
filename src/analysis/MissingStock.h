#pragma once
// Step 5's finding: each reference that names no stock file on disk, and
// whether only the file is absent (its top folder holds stock) or the whole
// folder is. The words a report puts before each are the report's business.
#include "analysis/StockSet.h"

#include <string>
#include <unordered_set>

namespace tw {

enum class MissingKind { File, Folder };

class MissingStock {
public:
    void add(MissingKind kind, const std::wstring& reference);
    // Emptied for a new step 5, which records the interface language it ran
    // in: its report words each item in that language.
    void clear(int languageId = 0);
    int languageId() const { return languageId_; }
    std::size_t size() const { return references_.size(); }
    bool empty() const { return references_.empty(); }
    // Every missing reference, in the sets' order.
    const StockSet& references() const { return references_; }
    MissingKind kind(const std::wstring& reference) const;

private:
    int languageId_ = 0;
    StockSet references_;
    std::unordered_set<std::wstring> folders_; // fileSystemUpper of the Folder ones
};

} // namespace tw
