#pragma once
// File-system helpers. Paths are Windows paths with "\" separators.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// The extended-length form of a folder or file the user named: its full path,
// as GetFullPathNameW makes it (relative parts resolved, "/" turned to "\",
// trailing dots and blanks of the last name dropped, as the system does), behind
// "\\?\" or "\\?\UNC\". The system takes the rest of such a path as written: names
// appended to it with "\" reach exactly the entry a listing gave, past the
// classic length limit, whatever the name ("A.", "A ", "NUL.con"). Build every
// path below a root the program lists this way, calling this once per root.
// A path already in that form, or a device path ("\\.\"), comes back unchanged;
// so does the path as given when the system cannot make it full.
std::wstring extendedPath(const std::wstring& path);
// The path as the user reads it: an extended form's prefix removed
// ("\\?\C:\x" gives "C:\x", "\\?\UNC\server\x" gives "\\server\x").
std::wstring shownPath(const std::wstring& path);

// True when the path names an existing directory (the directory attribute set).
bool directoryExists(const std::wstring& path);
// True when the path names an existing entry that is not a directory.
bool fileExists(const std::wstring& path);

// Whole file as bytes; throws AppError "Cannot open file ..." (the path as
// shownPath gives it) when it cannot be opened or read. The file is opened
// with every sharing mode: a file another program holds open, even for
// writing or deleting, is still read.
std::vector<unsigned char> readWholeFile(const std::wstring& path);
// The same into a buffer the caller keeps: reading thousands of files into one
// buffer spares the heap a large block per file.
void readWholeFile(const std::wstring& path, std::vector<unsigned char>& data);
// The same when a file is there: false, without a look before the open, when
// no file is at the path (nothing there, or a folder). A file that is there but
// cannot be opened or read throws as above.
bool readWholeFileIfPresent(const std::wstring& path, std::vector<unsigned char>& data);
// The same for a reader that reports the failure as a finding of its own:
// 0, or the system's error code when the file cannot be opened or read (data
// then holds what was read, if anything).
unsigned long readWholeFileOrCode(const std::wstring& path, std::vector<unsigned char>& data);

// Where a folder's content lives: the volume's serial number and the file
// index, as GetFileInformationByHandle gives them for the folder opened
// through its path. A junction or a directory link opened so is followed to
// its target, so two paths with the same identity are one folder. The
// system documents the pair as unique on one computer while both exist on
// NTFS and FAT volumes (ReFS needs the 128-bit identifier, which this does not
// read). False when the folder cannot be opened.
struct FolderIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FolderIdentity&) const = default;
};
bool folderIdentity(const std::wstring& path, FolderIdentity& identity);
// The folder's own path with every link on the way followed, in the extended
// form ("\\?\C:\..."), as GetFinalPathNameByHandleW gives it; false when
// the folder cannot be opened.
bool finalFolderPath(const std::wstring& path, std::wstring& finalPath);

// One folder's entries as a single listing gave them ("." and ".." included).
struct FolderListing {
    struct Entry {
        std::uint32_t nameAt;      // into names, where the name ends with a zero
        std::uint32_t nameLength;
        std::uint32_t attributes;
        std::uint64_t size;
        std::uint64_t writeTime;   // last write, UTC, in the system's 100 ns units
    };
    std::wstring names;            // every name, each followed by a zero
    std::vector<Entry> entries;

    const wchar_t* name(const Entry& e) const { return names.data() + e.nameAt; }
    std::wstring_view nameView(const Entry& e) const { return {names.data() + e.nameAt, e.nameLength}; }
    static bool isFolder(const Entry& e);
    // A reparse point (a link or junction): a walk does not follow it, it could loop.
    static bool isLink(const Entry& e);
    // The folder itself and its parent, which every listing but a drive root's holds.
    bool isDotOrDotDot(const Entry& e) const;
};

// Lists every entry of a folder in one listing ("*", the cheapest listing the
// system has; names are then matched by the caller, never through the
// generated short names a mask would also match). Returns 0, or the
// system's error code: ERROR_FILE_NOT_FOUND for a folder listed with nothing
// in it, any other code for a folder that could not be listed (what was listed
// before a failure is kept).
unsigned long listFolder(const std::wstring& folder, FolderListing& listing);
// Whether listFolder's result says the folder was not listed, or only in part.
bool listingIncomplete(unsigned long listResult);

// What listFolder's result says of the folder: listed (empty or not); absent
// (nothing there, or a file where the folder would be: no file lies beneath
// it); or not listed, or only in part, so its files are unknown.
enum class ListingState { Listed, Absent, Unlisted };
ListingState listingState(unsigned long listResult);

// Full path of the running executable, and its folder (no trailing "\").
std::wstring executablePath();
std::wstring executableFolder();

} // namespace tw
