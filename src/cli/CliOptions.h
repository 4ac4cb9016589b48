#pragma once
// Command-line arguments of trackwend-cli.
#include <optional>
#include <string>
#include <vector>

namespace tw {

struct CliOptions {
    std::optional<std::wstring> simulatorFolder;
    bool includeStore = false;
    std::optional<std::wstring> storeFolder; // --store=DIR
    std::optional<int> languageId;           // --lang=fr|en
    bool json = false;
    bool help = false;
};

extern const wchar_t* const kCliUsage;

// Parses the arguments (without the program name). Returns an error text for
// a usage error (unknown option, bad value, missing folder).
std::optional<std::wstring> parseCliOptions(const std::vector<std::wstring>& args, CliOptions& out);

// A folder given on the command line, as the window's folder box would hold it:
// trailing "\" removed.
std::wstring normaliseFolderArgument(std::wstring folder);

} // namespace tw
