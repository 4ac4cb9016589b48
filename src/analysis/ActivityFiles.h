#pragma once
// Where activities lie: ROUTES\<route>\ACTIVITIES\<name>.act under a simulator
// or Train Store folder. Their loose consists name stock exactly as consists
// do, so step 3 reads them with the consist reader when the user asks for it.
#include "scan/ListingCache.h"

#include <string>
#include <vector>

namespace tw {

struct ActivityFile {
    std::wstring path;       // full path, as shown to the user
    std::wstring relative;   // ROUTES\<route>\ACTIVITIES\<name>.act as on disk
    std::wstring systemPath; // the same file in the extended form, for reading it
};

// The .act files (any letter case) lying directly in each route's ACTIVITIES
// folder, folder names matched in any letter case, routes and files in the
// system's listing order. Nothing when the root has no ROUTES folder. The
// folders of the search (the root, ROUTES, each route, each ACTIVITIES) that
// exist but could not be listed, or only in part, are added to unreadable.
// Folders are listed through the run's listings.
std::vector<ActivityFile> findActivityFiles(const std::wstring& root, std::vector<std::wstring>& unreadable,
                                            ListingCache& listings);

} // namespace tw
