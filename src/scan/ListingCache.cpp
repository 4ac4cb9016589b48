#include "scan/ListingCache.h"

#include "platform/Text.h"

namespace tw {

namespace {
// The path's folder and last name; no folder for a path without "\".
bool splitLast(const std::wstring& path, std::wstring& folder, std::wstring_view& name) {
    const size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos) return false;
    folder = path.substr(0, slash);
    name = std::wstring_view(path).substr(slash + 1);
    return true;
}
} // namespace

const FolderListing::Entry* ListingCache::Folder::find(std::wstring_view name) const {
    if (!indexed_) {
        indexed_ = true;
        byName_.reserve(listing.entries.size());
        for (std::size_t i = 0; i < listing.entries.size(); ++i)
            if (!listing.isDotOrDotDot(listing.entries[i]))
                byName_.emplace(fileSystemUpper(listing.nameView(listing.entries[i])), i);
    }
    auto it = byName_.find(fileSystemUpper(name));
    return it == byName_.end() ? nullptr : &listing.entries[it->second];
}

const ListingCache::Folder& ListingCache::folder(const std::wstring& path) {
    auto& slot = folders_[fileSystemUpper(path)];
    if (slot) return *slot;
    slot = std::make_unique<Folder>();
    Folder& folder = *slot;
    // A folder its listed parent does not hold needs no call (a stock file's
    // absent CABVIEW or SOUND folder, most often).
    std::wstring parentPath;
    std::wstring_view name;
    if (splitLast(path, parentPath, name)) {
        auto parent = folders_.find(fileSystemUpper(parentPath));
        if (parent != folders_.end() && parent->second && parent->second->state == ListingState::Listed) {
            const FolderListing::Entry* e = parent->second->find(name);
            if (!e || !FolderListing::isFolder(*e)) {
                folder.state = ListingState::Absent;
                return folder;
            }
        }
    }
    ++listings_;
    folder.error = listFolder(path, folder.listing);
    folder.state = listingState(folder.error);
    return folder;
}

const FolderListing::Entry* ListingCache::entry(const std::wstring& path) {
    std::wstring parentPath;
    std::wstring_view name;
    if (!splitLast(path, parentPath, name)) return nullptr;
    const Folder& parent = folder(parentPath);
    return parent.state == ListingState::Absent ? nullptr : parent.find(name);
}

PathState ListingCache::fileState(const std::wstring& path) {
    std::wstring parentPath;
    std::wstring_view name;
    if (!splitLast(path, parentPath, name)) return PathState::Absent;
    const Folder& parent = folder(parentPath);
    const FolderListing::Entry* e = parent.state == ListingState::Absent ? nullptr : parent.find(name);
    if (e && !FolderListing::isFolder(*e)) return PathState::Present;
    return parent.state == ListingState::Unlisted ? PathState::Unknown : PathState::Absent;
}

PathState ListingCache::folderState(const std::wstring& path) {
    std::wstring parentPath;
    std::wstring_view name;
    if (!splitLast(path, parentPath, name)) return folder(path).state == ListingState::Absent ? PathState::Absent : PathState::Present;
    const Folder& parent = folder(parentPath);
    const FolderListing::Entry* e = parent.state == ListingState::Absent ? nullptr : parent.find(name);
    if (e && FolderListing::isFolder(*e)) return PathState::Present;
    return parent.state == ListingState::Unlisted ? PathState::Unknown : PathState::Absent;
}

bool ListingCache::treeBytes(const std::wstring& path, std::uint64_t& bytes) {
    const Folder& at = folder(path);
    if (at.state != ListingState::Listed) return false;
    bool complete = true;
    for (const FolderListing::Entry& e : at.listing.entries) {
        if (at.listing.isDotOrDotDot(e)) continue;
        if (!FolderListing::isFolder(e)) bytes += e.size;
        else if (!FolderListing::isLink(e))
            complete = treeBytes(path + L"\\" + std::wstring(at.listing.nameView(e)), bytes) && complete;
    }
    return complete;
}

} // namespace tw
