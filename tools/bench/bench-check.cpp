// The stock check against the least work it needs: after an untimed Run all,
// times the check (best of BENCH_REPS, default 3) and a pass that reads each
// stock file, each Open Rails file and each included file once and lists each
// folder under TRAINS\TRAINSET once (every folder the references and the
// sizes need, and a few more). Prints both, their ratio and the folders each
// listed.
//   bench-check SIMULATOR_FOLDER
#include "BenchClock.h"
#include "BenchInputs.h"
#include "analysis/AnalysisController.h"
#include "analysis/HeadlessView.h"
#include "platform/Files.h"
#include "scan/FolderScanner.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {
// Lists the tree; the Open Rails files and the shared includes (".inc") go to `extra`.
std::size_t listTree(const std::wstring& folder, std::vector<std::wstring>& extra) {
    tw::FolderListing listing;
    tw::listFolder(folder, listing);
    std::size_t listed = 1;
    const bool openRails = folder.size() >= 10 && folder.substr(folder.size() - 10) == L"\\OpenRails";
    for (const auto& e : listing.entries) {
        if (listing.isDotOrDotDot(e)) continue;
        const std::wstring name(listing.nameView(e));
        if (tw::FolderListing::isFolder(e)) listed += listTree(folder + L"\\" + name, extra);
        else if (openRails || (name.size() > 4 && name.substr(name.size() - 4) == L".inc")) extra.push_back(folder + L"\\" + name);
    }
    return listed;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench-check SIMULATOR_FOLDER\n");
        return 2;
    }
    const std::wstring root = argv[1];
    bench::AnalysedInstallation analysed(root);
    tw::AnalysisController& c = analysed.controller;

    const std::wstring trainset = root + L"\\TRAINS\\TRAINSET";
    std::size_t folders = 0;
    const double least = bench::best([&] {
        std::vector<std::wstring> extra;
        folders = listTree(trainset, extra);
        std::vector<unsigned char> bytes;
        for (const std::wstring& item : c.stock()) tw::readWholeFile(trainset + L"\\" + item, bytes);
        for (const std::wstring& file : extra) tw::readWholeFile(file, bytes);
    });
    const double check = bench::best([&] { c.onCheck(); });
    if (!c.checkResult()) {
        std::fprintf(stderr, "bench-check: the analysis did not complete\n");
        return 1;
    }
    const auto& r = *c.checkResult();
    std::printf("check %.3fs (%zu stock files, %zu folders listed)  least work %.3fs (%zu folders listed)\n", check,
                r.stockFilesRead, r.folderListings, least, folders);
    std::printf("broken %zu  removable %zu  unneeded %zu  kept %zu  found elsewhere %zu\n", r.broken.size(),
                r.removable.size(), r.unneeded.size(), r.kept.size(), r.foundElsewhere.size());
    std::printf("ratio check/least %.2f\n", check / least);
    return 0;
}
