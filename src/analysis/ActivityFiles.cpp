#include "analysis/ActivityFiles.h"

#include "platform/Files.h"
#include "platform/Text.h"

#include <functional>

namespace tw {

namespace {
// Calls back with the name of each entry of the folder that is (or is not) a
// folder, "." and ".." left out; nothing when the folder cannot be listed.
void forEachEntry(const std::wstring& folder, bool folders, const std::function<void(const std::wstring&)>& f) {
    FolderListing listing;
    listFolder(folder, listing);
    for (const FolderListing::Entry& e : listing.entries) {
        if (listing.isDotOrDotDot(e) || FolderListing::isFolder(e) != folders) continue;
        f(std::wstring(listing.nameView(e)));
    }
}

bool sameName(const std::wstring& name, const wchar_t* upper) { return asciiUpper(name) == upper; }

bool hasActivityExtension(const std::wstring& name) {
    return name.size() >= 4 && asciiUpper(std::wstring_view(name).substr(name.size() - 4)) == L".ACT";
}
} // namespace

std::vector<ActivityFile> findActivityFiles(const std::wstring& root) {
    std::vector<ActivityFile> found;
    forEachEntry(root, true, [&](const std::wstring& routes) {
        if (!sameName(routes, L"ROUTES")) return;
        const std::wstring routesPath = root + L"\\" + routes;
        forEachEntry(routesPath, true, [&](const std::wstring& route) {
            const std::wstring routePath = routesPath + L"\\" + route;
            forEachEntry(routePath, true, [&](const std::wstring& activities) {
                if (!sameName(activities, L"ACTIVITIES")) return;
                const std::wstring relativeFolder = routes + L"\\" + route + L"\\" + activities + L"\\";
                // Sub-folders (Open Rails keeps its extra files in one) are not read.
                forEachEntry(routePath + L"\\" + activities, false, [&](const std::wstring& file) {
                    if (hasActivityExtension(file)) found.push_back({root + L"\\" + relativeFolder + file, relativeFolder + file});
                });
            });
        });
    });
    return found;
}

} // namespace tw
