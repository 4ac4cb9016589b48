#pragma once
// The folder listings of one run: a folder is listed the first time anything
// looks into it, and every later question about it (what it holds, whether a
// file or a sub-folder is there) is answered from memory. The steps' walks,
// the activity search and the checks all ask through it, so no folder is
// listed twice in a run and nothing calls the system once per name.
#include "platform/Files.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tw {

// Whether a file or folder is there: Unknown when a folder on its way could
// not be listed (absent as far as can be told).
enum class PathState { Present, Absent, Unknown };

class ListingCache {
public:
    struct Folder {
        ListingState state = ListingState::Listed;
        // What listing it gave: 0, or listFolder's error; 0 too for a folder
        // known absent from its parent's listing without a call.
        unsigned long error = 0;
        FolderListing listing; // part of it when the listing was cut short

        // The entry of that name (the file system's case-insensitive match),
        // "." and ".." never; nothing when the folder holds no such entry.
        const FolderListing::Entry* find(std::wstring_view name) const;

    private:
        friend class ListingCache;
        // Built on the first find: a walk that only reads the entries in order needs none.
        mutable std::unordered_map<std::wstring, std::size_t> byName_;
        mutable bool indexed_ = false;
    };

    // Paths are full, in the extended form the system takes as written (see
    // extendedPath), with "\" separators and no trailing "\"; a path is the
    // same folder in any letter case.
    const Folder& folder(const std::wstring& path);
    PathState fileState(const std::wstring& path);
    PathState folderState(const std::wstring& path);
    // The entry a path names in its listed parent, or nothing (absent, or the
    // parent could not be listed).
    const FolderListing::Entry* entry(const std::wstring& path);

    // Adds the size of every file beneath the folder, every level; false when
    // a part could not be listed. Linked folders are not followed (they could loop).
    bool treeBytes(const std::wstring& path, std::uint64_t& bytes);

    // How many folders the run listed (answers from a parent's listing not counted).
    std::size_t listings() const { return listings_; }

private:
    std::unordered_map<std::wstring, std::unique_ptr<Folder>> folders_; // by fileSystemUpper(path)
    std::size_t listings_ = 0;
};

} // namespace tw
