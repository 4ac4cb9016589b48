#pragma once
// Command-line arguments of trackwend-cli.
#include "config/OpenRailsProfiles.h"
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
    bool listProfiles = false;                   // --profiles: list Open Rails' profiles, analyse nothing
    std::optional<std::wstring> profile;         // --profile=NAME: that profile's folder is the simulator folder
    std::vector<std::wstring> notes;             // what the completion chose that the user should hear of
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
    std::wstring openRailsKey = kOpenRailsFoldersKey; // under HKEY_CURRENT_USER
};
CliSources defaultCliSources();

// Fills in what the window would take from the registry and the settings
// file: the language, whether activities are read, the simulator folder (a
// --profile's, else the simulator's key, else Open Rails' first profile, said
// in notes), the Train Store folder of a bare --store; the stand-ins for an
// absent key in the chosen language. Returns a usage error (an unknown
// profile); throws AppError for a registry value of the wrong type.
std::optional<std::wstring> completeCliOptions(CliOptions& options, const CliSources& sources);

// --profiles' output: one "NAME<TAB>FOLDER" line per profile, or the JSON object.
std::wstring profilesText(const std::vector<OpenRailsProfile>& profiles);
std::string profilesJson(const std::vector<OpenRailsProfile>& profiles);

} // namespace tw
