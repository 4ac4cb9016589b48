#include "cli/CliOptions.h"

#include "config/Registry.h"
#include "config/Settings.h"
#include "platform/Text.h"
#include "text/LanguageTable.h"

#include <nlohmann/json.hpp>

namespace tw {

const wchar_t* const kCliUsage =
    L"usage: trackwend-cli [--store[=DIR]] [--activities] [--check] [--routes] [--lang=fr|en] [--json] [--report=NAME]... "
    L"[--save=DIR] [--profile=NAME | SIMULATOR_FOLDER] | --profiles   (NAME: consists, stock, orphans, missing, references, "
    L"check, routes)\n"
    L"  --activities  stock used by the loose consists of activities (ROUTES\\*\\ACTIVITIES\\*.act) counts as "
    L"used; without it, the settings file's Activities key decides\n"
    L"  --check       after step 5, checks what each engine and wagon file names on disk: broken stock, folders "
    L"that can be removed, missing stock found elsewhere\n"
    L"  --routes      after step 5, checks what each activity and timetable of the routes needs on disk: which "
    L"will not start, which run with something left out, which consists nothing plays\n"
    L"  --profiles    lists Open Rails' installation profiles (NAME<TAB>FOLDER) and analyses nothing\n"
    L"  --profile=NAME  analyses that Open Rails profile's folder (any letter case); without a folder or a profile, "
    L"the simulator's registry entry, else Open Rails' first profile";

namespace {
constexpr ReportKind kReportKinds[] = {ReportKind::Consists, ReportKind::Stock, ReportKind::Orphans,
                                       ReportKind::Missing, ReportKind::References, ReportKind::Check,
                                       ReportKind::Routes};

std::optional<ReportKind> reportByName(const std::wstring& name) {
    for (ReportKind k : kReportKinds)
        if (name == reportOptionName(k)) return k;
    return std::nullopt;
}
} // namespace

const wchar_t* reportOptionName(ReportKind kind) {
    switch (kind) {
    case ReportKind::Consists: return L"consists";
    case ReportKind::Stock: return L"stock";
    case ReportKind::Orphans: return L"orphans";
    case ReportKind::Missing: return L"missing";
    case ReportKind::References: return L"references";
    case ReportKind::Check: return L"check";
    case ReportKind::Routes: return L"routes";
    }
    return L"";
}

std::wstring normaliseFolderArgument(std::wstring folder) {
    while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    return folder;
}

std::optional<std::wstring> parseCliOptions(const std::vector<std::wstring>& args, CliOptions& out) {
    out = CliOptions{};
    bool onlyFolders = false;
    for (const std::wstring& a : args) {
        if (!onlyFolders && a == L"--") {
            onlyFolders = true;
        } else if (!onlyFolders && (a == L"--help" || a == L"-h")) {
            out.help = true;
        } else if (!onlyFolders && a == L"--json") {
            out.json = true;
        } else if (!onlyFolders && a == L"--check") {
            out.check = true;
        } else if (!onlyFolders && a == L"--routes") {
            out.routes = true;
        } else if (!onlyFolders && a == L"--activities") {
            out.readActivities = true;
        } else if (!onlyFolders && a == L"--store") {
            out.includeStore = true;
            out.storeFolder.reset();
        } else if (!onlyFolders && a.rfind(L"--store=", 0) == 0) {
            out.includeStore = true;
            out.storeFolder = normaliseFolderArgument(a.substr(8));
        } else if (!onlyFolders && a.rfind(L"--lang=", 0) == 0) {
            std::wstring v = a.substr(7);
            if (v == L"fr") out.languageId = 0;
            else if (v == L"en") out.languageId = 1;
            else return L"unknown language: " + v;
        } else if (!onlyFolders && a.rfind(L"--report=", 0) == 0) {
            auto kind = reportByName(a.substr(9));
            if (!kind) return L"unknown report: " + a.substr(9);
            out.reports.push_back(*kind);
            if (*kind == ReportKind::Check) out.check = true;
            if (*kind == ReportKind::Routes) out.routes = true;
        } else if (!onlyFolders && a.rfind(L"--save=", 0) == 0) {
            std::wstring dir = normaliseFolderArgument(a.substr(7));
            if (dir.empty()) return std::wstring(L"--save needs a folder");
            out.saveFolder = dir;
        } else if (!onlyFolders && a == L"--profiles") {
            out.listProfiles = true;
        } else if (!onlyFolders && a.rfind(L"--profile=", 0) == 0) {
            if (a.size() == 10) return std::wstring(L"--profile needs a name");
            out.profile = a.substr(10);
        } else if (!onlyFolders && a.size() > 1 && a[0] == L'-') {
            return L"unknown option: " + a;
        } else {
            if (out.simulatorFolder) return std::wstring(L"more than one simulator folder given");
            out.simulatorFolder = normaliseFolderArgument(a);
        }
    }
    if (out.profile && out.simulatorFolder) return std::wstring(L"--profile and a simulator folder both given");
    if (out.saveFolder && out.reports.empty()) return std::wstring(L"--save needs at least one --report");
    return std::nullopt;
}

CliSources defaultCliSources() { return {defaultSettingsPath(), kSimulatorKey, kTrainStoreKey}; }

namespace {
std::wstring unknownProfile(const std::wstring& name, const std::vector<OpenRailsProfile>& profiles) {
    std::wstring known;
    for (const OpenRailsProfile& p : profiles) known += (known.empty() ? L"" : L", ") + p.name;
    return L"unknown Open Rails profile: " + name +
           (known.empty() ? std::wstring(L" (no profile found)") : L" (known: " + known + L")");
}
} // namespace

std::optional<std::wstring> completeCliOptions(CliOptions& options, const CliSources& sources) {
    // As at the window's start-up: the saved language and option, French and
    // consists only without a file.
    SettingsFile settings(sources.settingsPath);
    if (!options.languageId) options.languageId = settings.exists() ? settings.language() : 0;
    if (!options.readActivities) options.readActivities = settings.exists() && settings.activities();
    if (*options.languageId != 1) options.languageId = 0;
    const int language = *options.languageId;
    if (options.profile) {
        const auto profiles = openRailsProfiles(sources.openRailsKey);
        const auto chosen = findOpenRailsProfile(profiles, *options.profile);
        if (!chosen) return unknownProfile(*options.profile, profiles);
        options.simulatorFolder = normaliseFolderArgument(chosen->folder);
    } else if (!options.simulatorFolder) {
        const RegistryFolder simulator = simulatorFolder(sources.simulatorKey);
        // Without the simulator's key, a user of Open Rails alone has a folder all the same.
        const auto profiles = simulator.keyExists ? std::vector<OpenRailsProfile>{} : openRailsProfiles(sources.openRailsKey);
        if (simulator.keyExists) {
            options.simulatorFolder = normaliseFolderArgument(simulator.folder);
        } else if (!profiles.empty()) {
            options.simulatorFolder = normaliseFolderArgument(profiles.front().folder);
            options.notes.push_back(formatOne(text(TextKey::OpenRailsFolderUsed, language), profiles.front().name) +
                                    profiles.front().folder);
        } else {
            options.simulatorFolder = text(TextKey::SimulatorMissing, language);
        }
    }
    if (options.includeStore && !options.storeFolder) {
        RegistryFolder store = trainStoreFolder(sources.trainStoreKey);
        options.storeFolder =
            store.keyExists ? normaliseFolderArgument(store.folder) : text(TextKey::TrainStoreMissing, language);
    }
    return std::nullopt;
}

std::wstring profilesText(const std::vector<OpenRailsProfile>& profiles) {
    std::wstring out;
    for (const OpenRailsProfile& p : profiles) out += p.name + L"\t" + p.folder + L"\n";
    return out;
}

std::string profilesJson(const std::vector<OpenRailsProfile>& profiles) {
    auto list = nlohmann::ordered_json::array();
    for (const OpenRailsProfile& p : profiles) list.push_back({{"name", toUtf8(p.name)}, {"folder", toUtf8(p.folder)}});
    return nlohmann::ordered_json{{"profiles", list}}.dump();
}

} // namespace tw
