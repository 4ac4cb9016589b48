#include "report/ReportBuilder.h"

#include <windows.h>

#include "text/LanguageTable.h"

namespace tw {
namespace {

TextKey titleKey(ReportKind kind) {
    switch (kind) {
    case ReportKind::Consists: return TextKey::TitleConsists;
    case ReportKind::Stock: return TextKey::TitleStock;
    case ReportKind::Orphans: return TextKey::TitleOrphans;
    default: return TextKey::TitleMissing;
    }
}

TextKey listHeaderKey(ReportKind kind) {
    switch (kind) {
    case ReportKind::Consists: return TextKey::ListHeaderConsists;
    case ReportKind::Orphans: return TextKey::ListHeaderOrphans;
    case ReportKind::Missing: return TextKey::ListHeaderMissing;
    default: return TextKey::ListHeaderStock; // stock and references share it
    }
}

} // namespace

std::wstring reportTitle(ReportKind kind) {
    if (kind == ReportKind::References) return L"Debug Liste";
    return reportText(titleKey(kind));
}

std::wstring todayShortDate() {
    wchar_t buffer[128] = {};
    const int n = GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, buffer, 128, nullptr);
    return n > 0 ? std::wstring(buffer, n - 1) : std::wstring();
}

std::vector<std::wstring> splitLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (;;) {
        const size_t at = text.find(L"\r\n", start);
        if (at == std::wstring::npos) break;
        lines.push_back(text.substr(start, at - start));
        start = at + 2;
    }
    lines.push_back(text.substr(start));
    return lines;
}

std::vector<std::wstring> reportLines(ReportKind kind, const std::vector<std::wstring>& items, int count,
                                      bool includeTrainStore, const std::wstring& date, bool activitiesRead,
                                      std::size_t unreadableFolders) {
    std::vector<std::wstring> lines;
    lines.push_back(reportText(TextKey::ReportHeaderPrefix) + date);
    lines.push_back(reportText(TextKey::BetaWarning));
    lines.push_back(std::to_wstring(count) + L" " + reportTitle(kind));
    if (includeTrainStore) lines.push_back(reportText(TextKey::TrainStoreIncluded));
    if (activitiesRead && kind != ReportKind::Consists && kind != ReportKind::Stock)
        lines.push_back(reportText(TextKey::ActivitiesIncluded));
    if (unreadableFolders > 0) lines.push_back(withNumber(reportText(TextKey::UnreadableFoldersLine), unreadableFolders));
    lines.push_back(L" ");
    if (kind == ReportKind::Orphans || kind == ReportKind::Missing) {
        const auto block = splitLines(reportText(kind == ReportKind::Orphans ? TextKey::OrphansExplanation
                                                                             : TextKey::MissingExplanation));
        lines.insert(lines.end(), block.begin(), block.end());
    }
    lines.push_back(reportText(listHeaderKey(kind)));
    for (const auto& item : items) lines.push_back(L" - " + item);
    lines.push_back(L" ");
    lines.push_back(std::wstring(33, L'-'));
    return lines;
}

void buildReport(ReportKind kind, const std::vector<std::wstring>& items, int count, bool includeTrainStore,
                 ReportTarget& target, bool activitiesRead, std::size_t unreadableFolders) {
    const auto lines =
        reportLines(kind, items, count, includeTrainStore, todayShortDate(), activitiesRead, unreadableFolders);
    target.setCaption(reportTitle(kind));
    target.clear();
    for (const auto& line : lines) target.appendLine(line);
}

} // namespace tw
