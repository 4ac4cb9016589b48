// Where an analysis spends its time: runs the five steps one by one on a
// headless view, then renders the JSON result and writes it to stdout, timing
// each phase. Prints the phase times on stderr.
//   bench-phases SIMULATOR_FOLDER
#include "BenchClock.h"
#include "BenchInputs.h"
#include "analysis/AnalysisController.h"
#include "analysis/HeadlessView.h"
#include "cli/CliOptions.h"
#include "cli/CliRunner.h"
#include "scan/FolderScanner.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

using bench::cpu;
using bench::now;

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench-phases SIMULATOR_FOLDER\n");
        return 2;
    }
    std::wstring root = argv[1];
    if (!std::getenv("BENCH_NO_WALKS")) {
        // The walks of step 2 alone, with a handler that only counts.
        tw::FolderScanner scanner;
        long files = 0;
        tw::ScanArgs args{.root = root + L"\\TRAINS\\TRAINSET",
                          .maxDepth = 1,
                          .onFile = [&](const std::wstring&, std::wstring_view) { ++files; }};
        // Engines then wagons, the wagons from the engines' listings as step 2 does.
        tw::ListingCache listings;
        scanner.listings = &listings;
        double t0 = now(), p0 = cpu();
        args.masks = L"*.ENG";
        scanner.run(args);
        double t1 = now(), p1 = cpu();
        args.masks = L"*.WAG";
        scanner.run(args);
        scanner.listings = nullptr;
        std::fprintf(stderr, "walks of step 2 only: listing %.3f (cpu %.3f), again %.3f (cpu %.3f), %ld files\n", t1 - t0,
                     p1 - p0, now() - t1, cpu() - p1, files);
    }
    {
        tw::HeadlessView view;
        tw::FolderScanner scanner;
        bench::SimulatorOnly inputs(root);
        tw::AnalysisController c(view, inputs, scanner);
        double t0 = now(), p0 = cpu();
        c.onConsists();
        double t1 = now(), p1 = cpu();
        c.onStock();
        double t2 = now(), p2 = cpu();
        c.onReferences();
        double t3 = now(), p3 = cpu();
        c.onOrphans();
        double t4 = now(), p4 = cpu();
        c.onMissing();
        double t5 = now(), p5 = cpu();
        std::fprintf(stderr, "step1 %.3f  step2 %.3f  step3 %.3f  step4 %.3f  step5 %.3f\n", t1 - t0, t2 - t1,
                     t3 - t2, t4 - t3, t5 - t4);
        std::fprintf(stderr, "cpu   %.3f        %.3f        %.3f        %.3f        %.3f\n", p1 - p0, p2 - p1,
                     p3 - p2, p4 - p3, p5 - p4);
    }
    if (std::getenv("BENCH_STEPS_ONLY")) return 0;
    // The whole command-line path, as trackwend-cli --json runs it.
    tw::CliOptions options;
    options.simulatorFolder = root;
    options.json = true;
    tw::CliRunner runner(options);
    double a = now(), pa = cpu();
    tw::CliResult result = runner.run();
    double b = now(), pb = cpu();
    std::string json = runner.json(result) + "\n";
    double c = now(), pc = cpu();
    std::fwrite(json.data(), 1, json.size(), stdout);
    std::fflush(stdout);
    double d = now();
    std::fprintf(stderr, "cli run %.3f (cpu %.3f)  json %.3f (cpu %.3f, %zu bytes)  write %.3f\n", b - a, pb - pa, c - b,
                 pc - pb, json.size(), d - c);
    return 0;
}
