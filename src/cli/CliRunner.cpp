#include "cli/CliRunner.h"

#include "cli/RouteJson.h"
#include "platform/Errors.h"
#include "platform/Files.h"
#include "platform/MessageBox.h"
#include "platform/Text.h"
#include "report/ReportFile.h"
#include "report/RouteReport.h"
#include "text/LanguageTable.h"

#include <nlohmann/json.hpp>

#include <cstdio>

#include <windows.h>

namespace tw {

namespace {
struct CounterName {
    Counter counter;
    const char* name;
};
constexpr CounterName kCounters[] = {
    {Counter::Consists, "consists"}, {Counter::Engines, "engines"},  {Counter::Wagons, "wagons"},
    {Counter::Stock, "stock"},    {Counter::Folders, "folders"},  {Counter::References, "references"},
    {Counter::Orphans, "orphans"},  {Counter::Used, "used"},     {Counter::Missing, "missing"},
};

// A JSON string as the library writes it (its escapes, UTF-8 as is).
void appendJsonString(std::string& out, const std::wstring& text) { out += nlohmann::json(toUtf8(text)).dump(); }

// The array is written item by item: a document tree of every set would cost
// several times the sets themselves.
template <typename Items, typename Write> void appendJsonArray(std::string& out, const Items& items, Write write) {
    out += '[';
    bool first = true;
    for (const auto& item : items) {
        if (!first) out += ',';
        first = false;
        write(item);
    }
    out += ']';
}

template <typename Items> void appendJsonArray(std::string& out, const Items& items) {
    appendJsonArray(out, items, [&](const std::wstring& item) { appendJsonString(out, item); });
}

const char* rootJsonName(StockRoot root) { return root == StockRoot::Simulator ? "\"simulator\"" : "\"store\""; }

// The folders' array: each folder, its root, then its size or what needs it.
void appendFolders(std::string& out, const std::vector<TrainsetFolder>& folders, bool sized) {
    appendJsonArray(out, folders, [&](const TrainsetFolder& f) {
        out += "{\"folder\":";
        appendJsonString(out, f.folder);
        out += ",\"root\":";
        out += rootJsonName(f.root);
        if (f.link) {
            out += ",\"link\":true";
            if (!f.linkedTo.empty()) {
                out += ",\"linkedTo\":";
                appendJsonString(out, f.linkedTo);
            }
        }
        if (sized) {
            out += ",\"bytes\":" + std::to_string(f.bytes);
        } else {
            out += ",\"neededBy\":";
            appendJsonArray(out, f.neededBy);
            out += ",\"missedBy\":";
            appendJsonArray(out, f.missedBy);
        }
        out += '}';
    });
}

void appendCheckJson(std::string& out, const StockCheckResult& r) {
    out += "{\"simulatorFolder\":";
    appendJsonString(out, r.simulatorFolder);
    if (!r.storeFolder.empty()) {
        out += ",\"storeFolder\":";
        appendJsonString(out, r.storeFolder);
    }
    out += ",\"stockFilesRead\":" + std::to_string(r.stockFilesRead);
    if (!r.blockedBy.empty()) {
        out += ",\"blockedBy\":";
        appendJsonString(out, r.blockedBy);
    }
    out += ",\"broken\":";
    appendJsonArray(out, r.broken, [&](const BrokenStock& b) {
        out += "{\"stock\":";
        appendJsonString(out, b.stock);
        out += ",\"root\":";
        out += rootJsonName(b.root);
        out += ",\"used\":";
        out += b.used ? "true" : "false";
        if (b.openRailsFile) out += ",\"openRailsFile\":true";
        out += ",\"absent\":";
        appendJsonArray(out, b.absent, [&](const AbsentReference& a) {
            out += "{\"kind\":\"";
            out += stockReferenceJsonName(a.kind);
            out += "\",\"name\":";
            appendJsonString(out, a.name);
            out += ",\"path\":";
            appendJsonString(out, a.path);
            if (a.unknown) out += ",\"folderUnlisted\":true";
            if (a.includeLoop) out += ",\"includeLoop\":true";
            out += '}';
        });
        out += '}';
    });
    out += ",\"removable\":";
    appendFolders(out, r.removable, true);
    out += ",\"unneeded\":";
    appendFolders(out, r.unneeded, true);
    out += ",\"kept\":";
    appendFolders(out, r.kept, false);
    out += ",\"foundElsewhere\":";
    appendJsonArray(out, r.foundElsewhere, [&](const FoundElsewhere& f) {
        out += "{\"missing\":";
        appendJsonString(out, f.missing);
        out += ",\"candidates\":";
        appendJsonArray(out, f.candidates);
        out += '}';
    });
    out += ",\"unreadable\":";
    appendJsonArray(out, r.unreadable, [&](const UnreadableStock& u) {
        out += "{\"stock\":";
        appendJsonString(out, u.stock);
        out += ",\"root\":";
        out += rootJsonName(u.root);
        out += ",\"used\":";
        out += u.used ? "true" : "false";
        out += ",\"file\":";
        appendJsonString(out, u.file);
        out += ",\"reason\":\"";
        out += stockTextProblemJsonName(u.problem);
        out += '"';
        if (!u.systemReason.empty()) {
            out += ",\"systemReason\":";
            appendJsonString(out, u.systemReason);
        }
        out += '}';
    });
    out += ",\"unlisted\":";
    appendJsonArray(out, r.unlisted, [&](const TrainsetFolder& u) {
        out += "{\"folder\":";
        appendJsonString(out, u.folder);
        out += ",\"root\":";
        out += rootJsonName(u.root);
        out += '}';
    });
    out += '}';
}

// What the check could not read or list, one message each, in the report language.
void addCheckMessages(const StockCheckResult& check, std::vector<std::wstring>& messages) {
    const int lang = reportLanguageId();
    for (const UnreadableStock& u : check.unreadable)
        messages.push_back(formatOne(text(TextKey::CheckMessageUnreadable, lang), u.stock) + unreadableStockText(u, lang));
    for (const TrainsetFolder& f : check.unlisted)
        messages.push_back(formatOne(text(TextKey::CheckMessageUnlisted, lang), f.folder));
}

// Text lines for a console: LF becomes CR LF, as a text-mode stream would write.
std::string consoleText(const std::wstring& text) {
    std::wstring crlf;
    for (wchar_t c : text) {
        if (c == L'\n') crlf += L'\r';
        crlf += c;
    }
    return toUtf8(crlf);
}
} // namespace

std::wstring messageOnOneLine(const std::wstring& text) {
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == L'\r' || c == L'\n') {
            if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
            out += L' ';
        } else {
            out += c;
        }
    }
    return out;
}

CliRunner::CliRunner(const CliOptions& options)
    : simulator_(options.simulatorFolder.value_or(L"")),
      store_(options.storeFolder.value_or(L"")),
      includeStore_(options.includeStore),
      language_(options.languageId.value_or(0)),
      readActivities_(options.readActivities.value_or(false)),
      check_(options.check),
      routes_(options.routes),
      notes_(options.notes),
      controller_(view_, *this, scanner_) {
    view_.onMessage = [this](const std::wstring& text, MessageBoxKind) {
        if (current_) current_->messages.push_back(text);
    };
}

CliResult CliRunner::run() {
    CliResult result;
    result.messages = notes_;
    current_ = &result;
    // The window enables steps 1 and 2 exactly when the simulator folder exists.
    const bool exists = directoryExists(simulator_);
    view_.setButtonEnabled(StepButton::Consists, exists);
    view_.setButtonEnabled(StepButton::Stock, exists);
    try {
        controller_.onRunAll();
        if (check_) controller_.onCheck(); // after a complete step 5 only
        if (const auto& check = controller_.checkResult()) addCheckMessages(*check, result.messages);
        if (routes_) controller_.onRoutes();
    } catch (const AppError& e) {
        result.messages.push_back(generalErrorText(e.message()));
    }
    // A step 3 that stopped on a consist still lets steps 4 and 5 run, on the
    // references read so far: that is no complete result.
    result.completed = controller_.stepState(StepButton::Missing) == StepState::Done && controller_.allConsistsRead();
    current_ = nullptr;
    return result;
}

std::string CliRunner::table() const {
    std::string out;
    for (const auto& c : kCounters) {
        char line[64];
        std::snprintf(line, sizeof line, "%-11s %6d\n", c.name, view_.counterValue(c.counter));
        out += line;
    }
    return out;
}

std::string CliRunner::json(const CliResult& result) const {
    std::string out = "{\"completed\":";
    out += result.completed ? "true" : "false";
    out += ",\"counters\":{";
    for (const auto& c : kCounters) {
        if (&c != kCounters) out += ',';
        out += '"';
        out += c.name;
        out += "\":";
        out += std::to_string(controller_.count(c.counter));
    }
    out += "},\"sets\":{";
    const std::pair<const char*, const StockSet*> sets[] = {
        {"consists", &controller_.consists()}, {"stock", &controller_.stock()},
        {"stockFolders", &controller_.stockFolders()}, {"references", &controller_.references()},
        {"orphans", &controller_.orphans()}, {"used", &controller_.used()}};
    for (const auto& [name, set] : sets) {
        if (name != sets[0].first) out += ',';
        out += '"';
        out += name;
        out += "\":";
        appendJsonArray(out, *set);
    }
    out += ",\"missing\":";
    appendJsonArray(out, missingReportItems(controller_.missing()));
    out += ",\"activityFiles\":";
    appendJsonArray(out, controller_.activityFiles());
    out += "},\"messages\":";
    appendJsonArray(out, result.messages);
    out += ",\"activities\":";
    out += controller_.activitiesRead() ? "true" : "false";
    if (check_) {
        out += ",\"check\":";
        if (controller_.checkResult()) appendCheckJson(out, *controller_.checkResult());
        else out += "null";
    }
    if (routes_) {
        out += ",\"routes\":";
        out += controller_.routeResult() ? routeCheckJson(*controller_.routeResult()) : "null";
    }
    out += '}';
    return out;
}

bool CliRunner::reportAvailable(ReportKind kind) const {
    switch (kind) {
    case ReportKind::Consists: return view_.report(ReportButton::Consists).enabled;
    case ReportKind::Stock: return view_.report(ReportButton::Stock).enabled;
    case ReportKind::Orphans: return view_.report(ReportButton::Orphans).enabled;
    case ReportKind::Missing: return view_.report(ReportButton::Missing).enabled;
    // The window keeps this button hidden; its list is complete once step 3 has.
    case ReportKind::References: return controller_.stepState(StepButton::References) == StepState::Done;
    case ReportKind::Check: return controller_.checkResult().has_value();
    case ReportKind::Routes: return controller_.routeResult().has_value();
    }
    return false;
}

std::vector<std::wstring> CliRunner::reportFor(ReportKind kind) const {
    if (kind == ReportKind::Check)
        return checkReportLines(*controller_.checkResult(), includeStore_, todayShortDate(), controller_.activitiesRead(),
                                controller_.unreadableFolders().size());
    if (kind == ReportKind::Routes)
        return routeReportLines(*controller_.routeResult(), includeStore_, todayShortDate(), controller_.activitiesRead(),
                                controller_.unreadableFolders().size());
    const StockSet* set = nullptr;
    Counter count = Counter::Consists;
    switch (kind) {
    case ReportKind::Consists: set = &controller_.consists(); count = Counter::Consists; break;
    case ReportKind::Stock: set = &controller_.stock(); count = Counter::Stock; break;
    case ReportKind::Orphans: set = &controller_.orphans(); count = Counter::Orphans; break;
    case ReportKind::Missing:
        return reportLines(kind, missingReportItems(controller_.missing()), view_.counterValue(Counter::Missing),
                           includeStore_, todayShortDate(), controller_.activitiesRead(),
                           controller_.unreadableFolders().size());
    case ReportKind::References: set = &controller_.references(); count = Counter::References; break;
    case ReportKind::Check:
    case ReportKind::Routes: break;
    }
    return reportLines(kind, set->items(), view_.counterValue(count), includeStore_, todayShortDate(),
                       controller_.activitiesRead(), controller_.unreadableFolders().size());
}

std::wstring currentFailureLine() {
    try {
        throw;
    } catch (const AppError& e) {
        return messageOnOneLine(generalErrorText(e.message()));
    } catch (const std::bad_alloc&) {
        return L"trackwend-cli: out of memory";
    } catch (const std::exception& e) {
        return L"trackwend-cli: " + messageOnOneLine(fromUtf8(e.what()));
    } catch (...) {
        return L"trackwend-cli: unexpected error";
    }
}

namespace {
// Puts the previous message box handler back however the run ends.
struct MessageBoxHandlerScope {
    MessageBoxHandler previous;
    explicit MessageBoxHandlerScope(MessageBoxHandler handler) : previous(setMessageBoxHandler(std::move(handler))) {}
    ~MessageBoxHandlerScope() { setMessageBoxHandler(std::move(previous)); }
};

int runCliUnguarded(const std::vector<std::wstring>& args, const CliSources& sources, const CliStreams& streams) {
    CliOptions options;
    if (auto error = parseCliOptions(args, options)) {
        streams.err(consoleText(L"trackwend-cli: " + *error + L"\n" + kCliUsage + L"\n"));
        return 2;
    }
    if (options.help) {
        streams.out(consoleText(std::wstring(kCliUsage) + L"\n"));
        return 0;
    }
    if (options.listProfiles) {
        const auto profiles = openRailsProfiles(sources.openRailsKey);
        streams.out(options.json ? profilesJson(profiles) + "\r\n" : consoleText(profilesText(profiles)));
        return 0;
    }
    try {
        if (auto error = completeCliOptions(options, sources)) {
            streams.err(consoleText(L"trackwend-cli: " + *error + L"\n" + kCliUsage + L"\n"));
            return 2;
        }
    } catch (const AppError& e) {
        streams.err(consoleText(messageOnOneLine(generalErrorText(e.message())) + L"\n"));
        return 1;
    }
    // The reports and the missing-stock step read the texts of the chosen language.
    assignReportTexts(*options.languageId);

    // Nothing in the analysis may wait on a box: anything shown goes to stderr.
    CliRunner runner(options);
    CliResult result;
    {
        MessageBoxHandlerScope scope([&](const std::wstring& text, MessageKind, MessageButtons) {
            streams.err(consoleText(messageOnOneLine(text) + L"\n"));
            return kResultOk;
        });
        result = runner.run();
    }

    for (const auto& m : result.messages) streams.err(consoleText(messageOnOneLine(m) + L"\n"));
    if (!directoryExists(runner.simulatorFolder()))
        streams.err(consoleText(L"trackwend-cli: " +
                                formatOne(text(TextKey::CliFolderNotFound, *options.languageId), runner.simulatorFolder()) +
                                L"\n"));

    // Folders that could not be read leave the results incomplete: not a success
    // either; nor do the files and folders the checks could not read or list.
    const auto& check = runner.controller().checkResult();
    const auto& routes = runner.controller().routeResult();
    int status = result.completed && runner.controller().unreadableFolders().empty() &&
                         (!check || (check->unreadable.empty() && check->unlisted.empty())) &&
                         (!routes || routes->unreadable.empty())
                     ? 0
                     : 1;
    std::string reports;
    for (ReportKind kind : options.reports) {
        if (!runner.reportAvailable(kind)) {
            streams.err(consoleText(L"trackwend-cli: " +
                                    formatOne(text(TextKey::CliNoReport, *options.languageId), reportOptionName(kind)) +
                                    L"\n"));
            status = 1;
            continue;
        }
        const auto lines = runner.reportFor(kind);
        for (const auto& line : lines) reports += toUtf8(line) + "\r\n";
        if (options.saveFolder) {
            try {
                saveReportFile(reportFilePath(*options.saveFolder, reportTitle(kind)), lines);
            } catch (const AppError& e) {
                streams.err(consoleText(messageOnOneLine(generalErrorText(e.message())) + L"\n"));
                status = 1;
            }
        }
    }
    if (options.json) streams.out(runner.json(result) + "\r\n");
    else if (!options.reports.empty()) streams.out(reports);
    else streams.out(consoleText(fromUtf8(runner.table())));
    return status;
}
} // namespace

int runCli(const std::vector<std::wstring>& args, const CliSources& sources, const CliStreams& streams) {
    // Whatever fails, even outside the program's own errors (memory, a failed
    // write), ends the tool with one line and status 1, never a crash.
    try {
        return runCliUnguarded(args, sources, streams);
    } catch (...) {
        const std::wstring line = currentFailureLine();
        streams.err(consoleText(line + L"\n"));
        return 1;
    }
}

} // namespace tw
