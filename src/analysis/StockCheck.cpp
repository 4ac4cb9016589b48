#include "analysis/StockCheck.h"

#include "analysis/AnalysisController.h"
#include "platform/Errors.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "scan/ListingCache.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace tw {

namespace {
struct TopFolder {
    std::wstring name; // as listed
    StockRoot root;
    bool holdsStock = false, holdsUsed = false, neededByAny = false;
    std::vector<std::wstring> neededBy;
};

struct Root {
    StockRoot which;
    std::wstring trainset;       // ...\TRAINS\TRAINSET
    std::wstring trainsetUpper;  // fileSystemUpper(trainset + "\")
    std::map<std::wstring, TopFolder> tops; // by fileSystemUpper(name)
};

std::wstring firstPart(const std::wstring& relative) {
    const size_t slash = relative.find(L'\\');
    return slash == std::wstring::npos ? std::wstring() : relative.substr(0, slash);
}

class Check {
public:
    // The roots in their extended form, as the joined names will write them: every
    // path below them then reaches exactly the entries listed ("A.", "NUL.eng", long paths).
    explicit Check(const StockCheckInputs& in)
        : in_(in), simulator_(joinStockPath(extendedPath(in.simulatorFolder), L"")) {
        addRoot(StockRoot::Simulator, simulator_);
        if (!in.storeFolder.empty()) addRoot(StockRoot::Store, joinStockPath(extendedPath(in.storeFolder), L""));
    }

    StockCheckResult run(const std::function<void(std::size_t)>& progress) {
        std::size_t index = 0;
        std::vector<BrokenStock> brokenOrphans;
        for (const StockSet* set : {&in_.used, &in_.orphans}) {
            const bool used = set == &in_.used;
            for (const std::wstring& item : *set) {
                if (progress) progress(index);
                ++index;
                checkStockFile(item, used, used ? result_.broken : brokenOrphans);
            }
        }
        result_.broken.insert(result_.broken.end(), std::make_move_iterator(brokenOrphans.begin()),
                              std::make_move_iterator(brokenOrphans.end()));
        classifyFolders();
        findElsewhere();
        result_.folderListings = cache_.listings();
        return std::move(result_);
    }

private:
    void addRoot(StockRoot which, const std::wstring& folder) {
        Root root{which, folder + kTrainsetBelow, fileSystemUpper(folder + kTrainsetBelow + L"\\"), {}};
        const ListingCache::Folder& listed = cache_.folder(root.trainset);
        for (const FolderListing::Entry& e : listed.listing.entries) {
            if (listed.listing.isDotOrDotDot(e) || !FolderListing::isFolder(e)) continue;
            std::wstring name(listed.listing.nameView(e));
            std::wstring key = fileSystemUpper(name);
            if (key != L"DEFAULT") root.tops.emplace(std::move(key), TopFolder{std::move(name), which, false, false, false, {}});
        }
        roots_.push_back(std::move(root));
    }

    // The root whose trainset folder the stock item lies in (a copy in each
    // marks both folders as holding it); the simulator's copy is the one read.
    const Root* locate(const std::wstring& item, bool used) {
        const Root* first = nullptr;
        const std::wstring top = fileSystemUpper(firstPart(item));
        for (Root& root : roots_) {
            auto t = root.tops.find(top);
            if (!top.empty() && t == root.tops.end()) continue;
            if (cache_.fileState(root.trainset + L"\\" + item) != PathState::Present) continue;
            if (!first) first = &root;
            if (t != root.tops.end()) {
                t->second.holdsStock = true;
                t->second.holdsUsed = t->second.holdsUsed || used;
            }
        }
        return first;
    }

    void checkStockFile(const std::wstring& item, bool used, std::vector<BrokenStock>& broken) {
        const Root* root = locate(item, used);
        bool read = false;
        if (root) {
            try {
                read = readWholeFileIfPresent(root->trainset + L"\\" + item, bytes_) && flattenStockFile(bytes_, text_);
            } catch (const AppError&) {
                read = false;
            }
        }
        if (!read) {
            result_.unreadable.push_back(item);
            return;
        }
        ++result_.stockFilesRead;
        const size_t slash = item.find_last_of(L'\\');
        const std::wstring folder = root->trainset + (slash == std::wstring::npos ? L"" : L"\\" + item.substr(0, slash));
        BrokenStock entry{item, used, {}};
        for (const StockReference& ref : stockReferences(text_)) {
            const std::wstring sub = stockReferenceFolder(ref.kind);
            std::wstring path = joinStockPath(sub.empty() ? folder : folder + L"\\" + sub, ref.name);
            PathState state = cache_.fileState(path);
            if (state != PathState::Present && ref.kind == StockReferenceKind::Sound) {
                // The simulator's own sounds are the fallback the simulator uses.
                const std::wstring shared = joinStockPath(simulator_ + L"\\SOUND", ref.name);
                const PathState sharedState = cache_.fileState(shared);
                if (sharedState == PathState::Present) path = shared;
                if (sharedState != PathState::Absent) state = sharedState;
            }
            if (state == PathState::Present) {
                markNeeded(path, item, used);
            } else {
                entry.absent.push_back({ref.kind, ref.name, shownPath(relativeToRoot(path, root->trainset + L"\\")),
                                        state == PathState::Unknown});
            }
        }
        if (!entry.absent.empty()) broken.push_back(std::move(entry));
    }

    // A present file inside a trainset folder keeps that folder for its stock.
    void markNeeded(const std::wstring& path, const std::wstring& item, bool used) {
        const std::wstring upper = fileSystemUpper(path);
        for (Root& root : roots_) {
            if (upper.compare(0, root.trainsetUpper.size(), root.trainsetUpper) != 0) continue;
            auto t = root.tops.find(firstPart(upper.substr(root.trainsetUpper.size())));
            if (t == root.tops.end()) return;
            t->second.neededByAny = true;
            auto& by = t->second.neededBy;
            if (used && by.size() < 3 && (by.empty() || by.back() != item)) by.push_back(item);
            return;
        }
    }

    const Root& rootOf(StockRoot which) const {
        return *std::find_if(roots_.begin(), roots_.end(), [&](const Root& r) { return r.which == which; });
    }

    void classifyFolders() {
        std::vector<TopFolder*> order;
        for (Root& root : roots_)
            for (auto& [key, top] : root.tops) order.push_back(&top);
        std::stable_sort(order.begin(), order.end(), [](const TopFolder* a, const TopFolder* b) {
            const int c = compareStockItems(a->name, b->name);
            return c != 0 ? c < 0 : a->root < b->root;
        });
        for (TopFolder* top : order) {
            if (top->holdsUsed) continue;
            if (!top->neededBy.empty()) {
                result_.kept.push_back({top->name, top->root, 0, top->neededBy});
                continue;
            }
            if (!top->holdsStock && top->neededByAny) continue;
            TrainsetFolder folder{top->name, top->root, 0, {}};
            if (!cache_.treeBytes(rootOf(top->root).trainset + L"\\" + top->name, folder.bytes)) {
                folder.bytes = 0;
                result_.unlisted.push_back(std::move(folder));
            } else {
                (top->holdsStock ? result_.removable : result_.unneeded).push_back(std::move(folder));
            }
        }
    }

    void findElsewhere() {
        if (in_.missing.empty()) return;
        std::unordered_map<std::wstring, std::vector<std::wstring>> byName;
        for (const std::wstring& item : in_.stock) {
            auto& found = byName[fileSystemUpper(item.substr(item.find_last_of(L'\\') + 1))];
            if (found.size() < 3) found.push_back(item);
        }
        for (const std::wstring& missing : in_.missing.references()) {
            auto it = byName.find(fileSystemUpper(missing.substr(missing.find_last_of(L'\\') + 1)));
            if (it != byName.end()) result_.foundElsewhere.push_back({missing, it->second});
        }
    }

    const StockCheckInputs& in_;
    const std::wstring simulator_;
    ListingCache cache_;
    std::vector<Root> roots_;
    StockCheckResult result_;
    std::vector<unsigned char> bytes_; // kept across files, as the consists' reading does
    std::wstring text_;
};
} // namespace

StockCheckResult checkStock(const StockCheckInputs& inputs, const std::function<void(std::size_t)>& progress) {
    return Check(inputs).run(progress);
}

} // namespace tw
