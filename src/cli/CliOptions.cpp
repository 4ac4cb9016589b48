#include "cli/CliOptions.h"

namespace tw {

const wchar_t* const kCliUsage = L"usage: trackwend-cli [--store=DIR] [--lang=fr|en] [--json] SIMULATOR_FOLDER";

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
        } else if (!onlyFolders && a.rfind(L"--store=", 0) == 0) {
            out.includeStore = true;
            out.storeFolder = normaliseFolderArgument(a.substr(8));
        } else if (!onlyFolders && a.rfind(L"--lang=", 0) == 0) {
            std::wstring v = a.substr(7);
            if (v == L"fr") out.languageId = 0;
            else if (v == L"en") out.languageId = 1;
            else return L"unknown language: " + v;
        } else if (!onlyFolders && a.size() > 1 && a[0] == L'-') {
            return L"unknown option: " + a;
        } else {
            if (out.simulatorFolder) return L"more than one simulator folder given";
            out.simulatorFolder = normaliseFolderArgument(a);
        }
    }
    if (!out.help && !out.simulatorFolder) return std::wstring(L"missing simulator folder");
    return std::nullopt;
}

} // namespace tw
