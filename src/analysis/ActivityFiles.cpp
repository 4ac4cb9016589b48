#include "analysis/ActivityFiles.h"

#include "platform/Files.h"
#include "platform/Text.h"

#include <functional>

namespace tw {

namespace {
// A folder of the search: the path shown and the same place in the extended form.
struct Place {
    std::wstring shown, system;
    Place below(const std::wstring& name) const { return {shown + L"\\" + name, system + L"\\" + name}; }
};

// Calls back with the name of each entry of the folder that is (or is not) a
// folder, "." and ".." left out. A folder that cannot be listed, or only in
// part, is added to unreadable.
void forEachEntry(ListingCache& listings, const Place& folder, bool folders, std::vector<std::wstring>& unreadable,
                  const std::function<void(const std::wstring&)>& f) {
    const ListingCache::Folder& listed = listings.folder(folder.system);
    if (listingIncomplete(listed.error)) unreadable.push_back(folder.shown);
    const FolderListing& listing = listed.listing;
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

std::vector<ActivityFile> findActivityFiles(const std::wstring& root, std::vector<std::wstring>& unreadable,
                                            ListingCache& listings) {
    std::vector<ActivityFile> found;
    Place top{root, extendedPath(root)};
    // A drive's root comes back with its backslash; the names are joined with one.
    if (!top.system.empty() && top.system.back() == L'\\') top.system.pop_back();
    forEachEntry(listings, top, true, unreadable, [&](const std::wstring& routes) {
        if (!sameName(routes, L"ROUTES")) return;
        const Place routesPlace = top.below(routes);
        forEachEntry(listings, routesPlace, true, unreadable, [&](const std::wstring& route) {
            const Place routePlace = routesPlace.below(route);
            forEachEntry(listings, routePlace, true, unreadable, [&](const std::wstring& activities) {
                if (!sameName(activities, L"ACTIVITIES")) return;
                const std::wstring relativeFolder = routes + L"\\" + route + L"\\" + activities + L"\\";
                const Place activitiesPlace = routePlace.below(activities);
                // Sub-folders (Open Rails keeps its extra files in one) are not read.
                forEachEntry(listings, activitiesPlace, false, unreadable, [&](const std::wstring& file) {
                    if (hasActivityExtension(file)) {
                        const Place at = activitiesPlace.below(file);
                        found.push_back({at.shown, relativeFolder + file, at.system});
                    }
                });
            });
        });
    });
    return found;
}

} // namespace tw
