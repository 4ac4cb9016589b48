#include "cli/CliRunner.h"

#include "platform/Errors.h"
#include "platform/Text.h"

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
    {Counter::Con, "consists"}, {Counter::Eng, "engines"},  {Counter::Wag, "wagons"},
    {Counter::Mat, "stock"},    {Counter::Dir, "folders"},  {Counter::Lst, "references"},
    {Counter::Orp, "orphans"},  {Counter::Per, "used"},     {Counter::Man, "missing"},
};

nlohmann::json setJson(const StockSet& set) {
    nlohmann::json a = nlohmann::json::array();
    for (const auto& item : set) a.push_back(toUtf8(item));
    return a;
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
      controller_(view_, *this, scanner_) {
    scanner_.MaxPenetration = 1;
    view_.onMessage = [this](const std::wstring& text, MessageBoxKind) {
        if (current_) current_->messages.push_back(text);
    };
}

CliResult CliRunner::run() {
    CliResult result;
    current_ = &result;
    // The window enables steps 1 and 2 exactly when the simulator folder exists.
    DWORD attributes = ::GetFileAttributesW(simulator_.c_str());
    bool exists = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    view_.setButtonEnabled(StepButton::Consists, exists);
    view_.setButtonEnabled(StepButton::Materiel, exists);
    try {
        controller_.B_GoClick();
    } catch (const AppError& e) {
        result.messages.push_back(generalErrorText(e.message()));
    }
    result.completed = view_.counterColour(Counter::Man) == colours::Yellow;
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
    nlohmann::json j;
    j["completed"] = result.completed;
    nlohmann::json counters = nlohmann::json::object();
    for (const auto& c : kCounters) counters[c.name] = view_.counterValue(c.counter);
    j["counters"] = counters;
    nlohmann::json sets = nlohmann::json::object();
    sets["consists"] = setJson(controller_.consists());
    sets["stock"] = setJson(controller_.stock());
    sets["stockFolders"] = setJson(controller_.stockFolders());
    sets["references"] = setJson(controller_.references());
    sets["orphans"] = setJson(controller_.orphans());
    sets["used"] = setJson(controller_.used());
    sets["missing"] = setJson(controller_.missing());
    j["sets"] = sets;
    nlohmann::json messages = nlohmann::json::array();
    for (const auto& m : result.messages) messages.push_back(toUtf8(m));
    j["messages"] = messages;
    return j.dump();
}

} // namespace tw
