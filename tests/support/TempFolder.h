#pragma once
// Builds throw-away folder trees for tests: folders, empty stock files and
// UTF-16 consist files, all under a fresh folder removed at the end.
#include <string>
#include <vector>

namespace twtest {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Full Windows path of the folder, without trailing "\".
    const std::wstring& path() const { return root_; }
    // path() + "\" + relative
    std::wstring operator/(const std::wstring& relative) const;

    // Creates the folder (and its parents) below the root; returns its full path.
    std::wstring makeDir(const std::wstring& relative) const;
    // Writes raw bytes (parents created); returns the full path.
    std::wstring writeBytes(const std::wstring& relative, const std::vector<unsigned char>& bytes) const;
    std::wstring writeBytes(const std::wstring& relative, const std::string& bytes) const;
    // An empty file.
    std::wstring touch(const std::wstring& relative) const;
    // UTF-16LE with a byte-order mark, as the simulator writes consists.
    std::wstring writeUtf16(const std::wstring& relative, const std::wstring& text) const;

    std::vector<unsigned char> readBytes(const std::wstring& relative) const;

private:
    std::wstring root_;
};

// Makes link a directory link to target (full paths); false when the system
// cannot (the test then skips what needs one).
bool makeFolderLink(const std::wstring& link, const std::wstring& target);

// A consist file body as the simulator writes it, with one entry per item:
// {"E", "dash9", "DASH9"} gives an EngineData entry, "W" a WagonData one.
struct ConsistEntry {
    char kind;            // 'E' or 'W'
    std::wstring name;    // file name without extension (quoted when it holds blanks)
    std::wstring folder;  // folder under TRAINS\TRAINSET (quoted likewise)
};
std::wstring consistText(const std::wstring& consistName, const std::vector<ConsistEntry>& entries);

// An activity file body as the simulator writes it: a description whose free
// text names WagonData, a service and traffic naming consists by name only,
// and one loose consist holding the entries (Engine blocks with their UiD
// first, Wagon blocks with it last).
std::wstring activityText(const std::vector<ConsistEntry>& looseConsist);

} // namespace twtest
