#pragma once
// File-system helpers. Paths are Windows paths with "\" separators.
#include <string>
#include <vector>

namespace tw {

// True when the path names an existing directory (the directory attribute set).
bool directoryExists(const std::wstring& path);
// True when the path names an existing entry that is not a directory.
bool fileExists(const std::wstring& path);

// Whole file as bytes; throws AppError "Cannot open file ..." when it cannot be opened or read.
std::vector<unsigned char> readWholeFile(const std::wstring& path);
// The same into a buffer the caller keeps: reading thousands of files into one
// buffer spares the heap a large block per file.
void readWholeFile(const std::wstring& path, std::vector<unsigned char>& data);
// The same when a file is there: false, without a look before the open, when
// no file is at the path (nothing there, or a folder). A file that is there but
// cannot be opened or read throws as above.
bool readWholeFileIfPresent(const std::wstring& path, std::vector<unsigned char>& data);

// One entry of a folder listing: its name as on disk, and whether it is a folder.
struct FolderEntry {
    std::wstring name;
    bool directory = false;
};
// The entries of a folder in the order the system lists them, "." and ".."
// left out; empty when the folder does not exist or cannot be listed.
std::vector<FolderEntry> listFolder(const std::wstring& folder);

// Full path of the running executable, and its folder (no trailing "\").
std::wstring executablePath();
std::wstring executableFolder();

} // namespace tw
