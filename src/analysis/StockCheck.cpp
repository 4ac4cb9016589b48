#include "analysis/StockCheck.h"

#include "analysis/AnalysisController.h"
#include "analysis/StockFileResolver.h"
#include "platform/Errors.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "scan/ListingCache.h"

#include <algorithm>
#include <map>
#include <set>
#include <unordered_map>

namespace tw {

namespace {
constexpr unsigned long kFileNotFound = 2; // the system's code for a file that is not there

struct TopFolder {
    std::wstring name; // as listed
    StockRoot root = StockRoot::Simulator;
    bool link = false;
    bool holdsStock = false, holdsUsed = false, neededByAny = false;
    std::vector<std::wstring> neededBy, missedBy;
    TopFolder* same = nullptr;  // the folder of the group its flags are kept in (links and their target)
    std::wstring linkedTo;
};

struct Root {
    StockRoot which;
    std::wstring trainset;       // ...\TRAINS\TRAINSET
    std::wstring trainsetUpper;  // fileSystemUpper(trainset + "\")
    std::map<std::wstring, TopFolder> tops; // by fileSystemUpper(name)
};

TrainsetFolder folderEntry(const std::wstring& name, StockRoot root) {
    TrainsetFolder folder;
    folder.folder = name;
    folder.root = root;
    return folder;
}

std::wstring firstPart(const std::wstring& relative) {
    const size_t slash = relative.find(L'\\');
    return slash == std::wstring::npos ? std::wstring() : relative.substr(0, slash);
}

void addFirstThree(std::vector<std::wstring>& list, const std::wstring& item) {
    if (list.size() < 3 && std::find(list.begin(), list.end(), item) == list.end()) list.push_back(item);
}

class Check {
public:
    // The roots in their extended form, as the joined names will write them: every
    // path below them then reaches exactly the entries listed ("A.", "NUL.eng", long paths).
    explicit Check(const StockCheckInputs& in)
        : in_(in), resolver_(cache_, joinStockPath(extendedPath(in.simulatorFolder), L"")) {
        result_.simulatorFolder = in.simulatorFolder;
        result_.storeFolder = in.storeFolder;
        addRoot(StockRoot::Simulator, joinStockPath(extendedPath(in.simulatorFolder), L""));
        if (!in.storeFolder.empty()) addRoot(StockRoot::Store, joinStockPath(extendedPath(in.storeFolder), L""));
        groupLinks();
    }

    StockCheckResult run(const std::function<void(std::size_t)>& progress) {
        std::size_t index = 0;
        std::vector<BrokenStock> brokenOrphans;
        std::vector<UnreadableStock> unreadableOrphans;
        for (const StockSet* set : {&in_.used, &in_.orphans}) {
            const bool used = set == &in_.used;
            for (const std::wstring& item : *set) {
                if (progress) progress(index);
                ++index;
                checkStockFile(item, used, used ? result_.broken : brokenOrphans,
                               used ? result_.unreadable : unreadableOrphans);
            }
        }
        result_.broken.insert(result_.broken.end(), brokenOrphans.begin(), brokenOrphans.end());
        result_.unreadable.insert(result_.unreadable.end(), unreadableOrphans.begin(), unreadableOrphans.end());
        findElsewhere();
        classifyFolders();
        result_.folderListings = cache_.listings();
        result_.filesRead = resolver_.filesRead();
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
            if (key == L"DEFAULT") continue;
            TopFolder top;
            top.name = std::move(name);
            top.root = which;
            top.link = FolderListing::isLink(e);
            root.tops.emplace(std::move(key), std::move(top));
        }
        roots_.push_back(std::move(root));
    }

    // A link or junction and the folder it leads to are one folder: what keeps
    // either keeps both. Folders are opened for their identity only when some
    // trainset folder is a link, which most installations hold none of.
    void groupLinks() {
        bool anyLink = false;
        for (Root& root : roots_)
            for (auto& [key, top] : root.tops) anyLink = anyLink || top.link;
        if (!anyLink) return;
        std::map<std::pair<std::uint64_t, std::uint64_t>, std::vector<TopFolder*>> groups;
        for (Root& root : roots_) {
            for (auto& [key, top] : root.tops) {
                FolderIdentity id;
                if (folderIdentity(root.trainset + L"\\" + top.name, id)) groups[{id.volume, id.index}].push_back(&top);
            }
        }
        // The group's flags live in its first folder that is no link.
        for (auto& [id, members] : groups) {
            if (members.size() < 2) {
                if (members.front()->link) linkInside(*members.front());
                continue;
            }
            auto lead = std::find_if(members.begin(), members.end(), [](const TopFolder* t) { return !t->link; });
            TopFolder* first = lead == members.end() ? members.front() : *lead;
            for (TopFolder* t : members) {
                if (t == first) continue;
                t->same = first;
                if (t->link && !first->link) t->linkedTo = first->name;
            }
        }
    }

    // A link to a folder inside another trainset folder: what keeps the link
    // keeps that folder, and removing it would break the link.
    void linkInside(TopFolder& link) {
        std::wstring target;
        if (!finalFolderPath(rootOf(link.root).trainset + L"\\" + link.name, target)) return;
        const std::wstring upper = fileSystemUpper(target);
        for (Root& root : roots_) {
            if (upper.compare(0, root.trainsetUpper.size(), root.trainsetUpper) != 0) continue;
            auto t = root.tops.find(firstPart(upper.substr(root.trainsetUpper.size()) + L"\\"));
            if (t == root.tops.end() || &t->second == &link) return;
            link.same = &t->second;
            link.linkedTo = shown(target, root);
            return;
        }
    }

    // The folder a group's flags are kept in (a link inside a grouped folder reaches it in two steps).
    static TopFolder& group(TopFolder& top) {
        TopFolder* t = &top;
        for (int i = 0; i < 4 && t->same; ++i) t = t->same;
        return *t;
    }

    void checkStockFile(const std::wstring& item, bool used, std::vector<BrokenStock>& broken,
                        std::vector<UnreadableStock>& unreadable) {
        // A copy in each root is read: the copies may differ, and what either names is needed.
        bool found = false;
        const std::wstring top = fileSystemUpper(firstPart(item));
        for (Root& root : roots_) {
            auto t = root.tops.find(top);
            if (!top.empty() && t == root.tops.end()) continue;
            if (cache_.fileState(root.trainset + L"\\" + item) != PathState::Present) continue;
            found = true;
            if (t != root.tops.end()) {
                TopFolder& g = group(t->second);
                g.holdsStock = true;
                g.holdsUsed = g.holdsUsed || used;
            }
            readCopy(root, item, used, broken, unreadable);
        }
        if (!found) {
            unreadable.push_back({item, StockRoot::Simulator, used, item, StockTextProblem::CannotOpen,
                                  systemReason(kFileNotFound)});
            if (used && result_.blockedBy.empty()) result_.blockedBy = item;
        }
    }

    void readCopy(const Root& root, const std::wstring& item, bool used, std::vector<BrokenStock>& broken,
                  std::vector<UnreadableStock>& unreadable) {
        const std::wstring below = root.trainset + L"\\";
        const StockFileReading reading = resolver_.read(below + item, root.trainset);
        if (reading.fileRead) ++result_.stockFilesRead;
        if (reading.problem != StockTextProblem::None) {
            unreadable.push_back({item, root.which, used, shown(reading.unreadableFile, root), reading.problem,
                                  reading.problem == StockTextProblem::CannotOpen ? systemReason(reading.systemError)
                                                                                   : std::wstring()});
            if (used && result_.blockedBy.empty()) result_.blockedBy = item;
        }
        BrokenStock entry{item, root.which, used, reading.openRailsFile, {}};
        for (const ResolvedReference& ref : reading.references) {
            if (ref.state == PathState::Present) markNeeded(ref.path, item, used);
            if (ref.state == PathState::Present && !ref.includeLoop) continue;
            entry.absent.push_back({ref.kind, ref.name, shown(ref.path, root), ref.state == PathState::Unknown,
                                    ref.includeLoop});
            if (ref.state == PathState::Unknown) noteUnlisted(ref.path, root);
        }
        if (!entry.absent.empty()) broken.push_back(std::move(entry));
    }

    // Relative to the root's trainset folder, its trainset folder named as listed.
    static std::wstring shown(const std::wstring& path, const Root& root) {
        std::wstring relative = shownPath(relativeToRoot(path, root.trainset + L"\\"));
        const std::wstring top = firstPart(relative);
        auto t = root.tops.find(fileSystemUpper(top));
        if (!top.empty() && t != root.tops.end()) relative.replace(0, top.size(), t->second.name);
        return relative;
    }

    // The folder a file could not be looked for in, named once.
    void noteUnlisted(const std::wstring& path, const Root& root) {
        const std::wstring folder = shown(path.substr(0, path.find_last_of(L'\\')), root);
        if (unlistedSeen_.insert(fileSystemUpper(folder) + (root.which == StockRoot::Store ? L"|S" : L"")).second)
            result_.unlisted.push_back(folderEntry(folder, root.which));
    }

    TopFolder* topOf(const std::wstring& path) {
        const std::wstring upper = fileSystemUpper(path);
        for (Root& root : roots_) {
            if (upper.compare(0, root.trainsetUpper.size(), root.trainsetUpper) != 0) continue;
            auto t = root.tops.find(firstPart(upper.substr(root.trainsetUpper.size())));
            return t == root.tops.end() ? nullptr : &group(t->second);
        }
        return nullptr;
    }

    // A present file inside a trainset folder keeps that folder for its stock,
    // and the folder any link on its way leads to.
    void markNeeded(const std::wstring& path, const std::wstring& item, bool used, int links = 0) {
        if (TopFolder* top = topOf(path)) {
            top->neededByAny = true;
            if (used) addFirstThree(top->neededBy, item);
        }
        markThroughLink(path, item, used, links);
    }

    // A file reached through a link inside a trainset folder (A\SOUND leading
    // into B\SOUND) lives where the link leads: removing that folder would
    // break the stock, so it is needed too. Links at the top are grouped
    // with their targets beforehand.
    void markThroughLink(const std::wstring& path, const std::wstring& item, bool used, int links) {
        constexpr int kLinksFollowed = 8; // a chain of links may loop
        if (links >= kLinksFollowed) return;
        const std::wstring upper = fileSystemUpper(path);
        for (const Root& root : roots_) {
            if (upper.compare(0, root.trainsetUpper.size(), root.trainsetUpper) != 0) continue;
            // Each folder on the way below the top folder; the last part is the file.
            std::size_t at = path.find(L'\\', root.trainsetUpper.size());
            for (std::size_t next; at != std::wstring::npos && (next = path.find(L'\\', at + 1)) != std::wstring::npos;
                 at = next) {
                const std::wstring folder = path.substr(0, next);
                const FolderListing::Entry* e = cache_.entry(folder);
                if (!e || !FolderListing::isLink(*e)) continue;
                std::wstring target;
                if (finalFolderPath(folder, target)) markNeeded(target + path.substr(next), item, used, links + 1);
                return; // links further on are followed from the target
            }
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
        const bool blocked = !result_.blockedBy.empty();
        for (TopFolder* top : order) {
            const TopFolder& g = group(*top);
            if (g.holdsUsed) continue;
            TrainsetFolder folder = folderEntry(top->name, top->root);
            folder.link = top->link;
            folder.linkedTo = top->linkedTo;
            if (!g.neededBy.empty() || !g.missedBy.empty()) {
                folder.neededBy = g.neededBy;
                folder.missedBy = g.missedBy;
                result_.kept.push_back(std::move(folder));
                continue;
            }
            if (!g.holdsStock && g.neededByAny) continue;
            // A used stock file that could not be read may name any folder.
            if (blocked) continue;
            // A link frees nothing; what it leads to is counted where it is listed.
            if (!top->link && !cache_.treeBytes(rootOf(top->root).trainset + L"\\" + top->name, folder.bytes)) {
                folder.bytes = 0;
                result_.unlisted.push_back(std::move(folder));
            } else {
                (g.holdsStock ? result_.removable : result_.unneeded).push_back(std::move(folder));
            }
        }
    }

    // A folder holding a candidate for a missing vehicle is kept for it.
    void findElsewhere() {
        if (in_.missing.empty()) return;
        std::unordered_map<std::wstring, std::vector<std::wstring>> byName;
        for (const std::wstring& item : in_.stock) {
            auto& found = byName[fileSystemUpper(item.substr(item.find_last_of(L'\\') + 1))];
            if (found.size() < 3) found.push_back(item);
        }
        for (const std::wstring& missing : in_.missing.references()) {
            // A consist may name a file deeper than step 2 looks for stock
            // (FOLDER\SUB\FILE.ENG): it is missing from the sets, yet on disk,
            // and its folder must stay.
            if (missing.find(L'\\') != missing.find_last_of(L'\\'))
                for (const Root& root : roots_) {
                    const std::wstring path = joinStockPath(root.trainset, missing);
                    if (cache_.fileState(path) != PathState::Present) continue;
                    if (TopFolder* top = topOf(path)) addFirstThree(top->missedBy, missing);
                }
            auto it = byName.find(fileSystemUpper(missing.substr(missing.find_last_of(L'\\') + 1)));
            if (it == byName.end()) continue;
            result_.foundElsewhere.push_back({missing, it->second});
            for (const std::wstring& candidate : it->second) {
                const std::wstring top = fileSystemUpper(firstPart(candidate));
                for (Root& root : roots_) {
                    auto t = root.tops.find(top);
                    if (t != root.tops.end() && cache_.fileState(root.trainset + L"\\" + candidate) == PathState::Present)
                        addFirstThree(group(t->second).missedBy, missing);
                }
            }
        }
    }

    const StockCheckInputs& in_;
    ListingCache cache_;
    StockFileResolver resolver_;
    std::vector<Root> roots_;
    StockCheckResult result_;
    std::set<std::wstring> unlistedSeen_;
};
} // namespace

StockCheckResult checkStock(const StockCheckInputs& inputs, const std::function<void(std::size_t)>& progress) {
    return Check(inputs).run(progress);
}

} // namespace tw
