#pragma once
// Command-line arguments of trackwend-cli.
#include "report/ReportBuilder.h"

#include <optional>
#include <string>
#include <vector>

namespace tw {

struct CliOptions {
    std::optional<std::wstring> simulatorFolder; // absent: from the registry
    bool includeStore = false;
    std::optional<std::wstring> storeFolder;     // --store=DIR; --store alone: from the registry
    std::optional<int> languageId;               // --lang=fr|en; absent: the settings file
    std::optional<bool> readActivities;          // --activities; absent: the settings file
    bool json = false;
    bool check = false;                          // --check (or --report=check): the stock check after step 5
    bool routes = false;                         // --routes (or --report=routes): the route check after step 5
    bool help = false;
    std::vector<ReportKind> reports;             // --report=NAME, in the order given
    std::optional<std::wstring> saveFolder;      // --save=DIR
};

extern const wchar_t* const kCliUsage;

// Parses the arguments (without the program name). Returns an error text for
// a usage error (unknown option, bad value, --save without a report).
std::optional<std::wstring> parseCliOptions(const std::vector<std::wstring>& args, CliOptions& out);

// A folder given on the command line, as the window's folder box would hold it:
// trailing "\" removed.
std::wstring normaliseFolderArgument(std::wstring folder);

// The report's name on the command line ("consists", "stock", ...).
const wchar_t* reportOptionName(ReportKind kind);

// Where the values not given on the command line come from; tests pass their own.
struct CliSources {
    std::wstring settingsPath;  // the settings file beside the executable
    std::wstring simulatorKey;  // registry key paths under HKEY_LOCAL_MACHINE
    std::wstring trainStoreKey;
};
CliSources defaultCliSources();

// Fills in what the window would take from the registry and the settings
// file: the simulator folder, the Train Store folder of a bare --store, the
// language, whether activities are read. Throws AppError for a registry value
// of the wrong type.
void completeCliOptions(CliOptions& options, const CliSources& sources);

} // namespace tw
