// The route check against the least work it needs: after an untimed Run all,
// times the check (best of BENCH_REPS, default 3) and a pass that lists each
// folder the check needs once (ROUTES, each route, its ACTIVITIES, OPENRAILS,
// SERVICES, PATHS and TRAFFIC, TRAINS\CONSISTS) and reads each activity,
// timetable and service once, and each consist some activity or timetable
// plays (the others' stock is known from step 3). Prints both, their ratio
// and the files and folders each touched; then the same least pass without
// the consists (step 3 keeps what the check needs of those it read), and that ratio.
//   bench-routes SIMULATOR_FOLDER
#include "BenchClock.h"
#include "BenchInputs.h"
#include "analysis/AnalysisController.h"
#include "analysis/HeadlessView.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "scan/FolderScanner.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unordered_set>

namespace {
struct Least {
    std::size_t folders = 0, files = 0;
    std::vector<unsigned char> bytes;
    std::unordered_set<std::wstring> skipped; // upper-case names of the files not to read
    bool consists = true;                     // whether the played consists are read

    // Lists the folder; reads its files (when read is set) and returns its sub-folders' names.
    std::vector<std::wstring> visit(const std::wstring& folder, bool read) {
        tw::FolderListing listing;
        tw::listFolder(folder, listing);
        ++folders;
        std::vector<std::wstring> subs;
        for (const auto& e : listing.entries) {
            if (listing.isDotOrDotDot(e)) continue;
            const std::wstring name(listing.nameView(e));
            if (tw::FolderListing::isFolder(e)) subs.push_back(name);
            else if (read && !skipped.count(tw::asciiUpper(name))) {
                tw::readWholeFile(folder + L"\\" + name, bytes);
                ++files;
            }
        }
        return subs;
    }

    void run(const std::wstring& root) {
        folders = files = 0;
        const std::wstring routes = root + L"\\ROUTES";
        for (const std::wstring& route : visit(routes, false)) {
            const std::wstring r = routes + L"\\" + route;
            for (const std::wstring& sub : visit(r, false)) {
                const std::wstring upper = tw::asciiUpper(sub);
                if (upper == L"ACTIVITIES")
                    for (const std::wstring& inner : visit(r + L"\\" + sub, true))
                        if (tw::asciiUpper(inner) == L"OPENRAILS") visit(r + L"\\" + sub + L"\\" + inner, true);
                if (upper == L"SERVICES") visit(r + L"\\" + sub, true);
                if (upper == L"PATHS" || upper == L"TRAFFIC") visit(r + L"\\" + sub, false);
            }
        }
        visit(root + L"\\TRAINS\\CONSISTS", consists);
    }
};
} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench-routes SIMULATOR_FOLDER\n");
        return 2;
    }
    const std::wstring root = argv[1];
    bench::AnalysedInstallation analysed(root);
    tw::AnalysisController& c = analysed.controller;

    const double check = bench::best([&] { c.onRoutes(); });
    if (!c.routeResult()) {
        std::fprintf(stderr, "bench-routes: the analysis did not complete\n");
        return 1;
    }
    const auto& r = *c.routeResult();
    Least least;
    for (const std::wstring& name : r.unplayedConsists) least.skipped.insert(tw::asciiUpper(name));
    const double leastTime = bench::best([&] { least.run(tw::extendedPath(root)); });
    std::size_t notStarting = 0;
    for (const auto& b : r.broken) notStarting += !b.starts;
    std::printf("routes %.3fs (%zu files read, %zu folders listed)  least work %.3fs (%zu files read, %zu folders listed)\n",
                check, r.filesRead, r.folderListings, leastTime, least.files, least.folders);
    std::printf("routes %zu  activities %zu  timetables %zu (%zu trains)  broken %zu (%zu will not start)  "
                "unplayed consists %zu  stock only they use %zu  unreadable %zu\n",
                r.routesRead, r.activitiesRead, r.timetablesRead, r.trainsRead, r.broken.size(), notStarting,
                r.unplayedConsists.size(), r.onlyUnplayedStock.size(), r.unreadable.size());
    std::printf("ratio routes/least %.2f\n", check / leastTime);
    least.consists = false;
    const double leastNoConsists = bench::best([&] { least.run(tw::extendedPath(root)); });
    std::printf("least work without the consists %.3fs (%zu files read)  ratio routes/least-without-consists %.2f\n",
                leastNoConsists, least.files, check / leastNoConsists);
    return 0;
}
