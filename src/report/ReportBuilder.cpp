#include "report/ReportBuilder.h"

#include "platform/Text.h"

#include <algorithm>
#include <array>

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
    if (kind == ReportKind::Check) return text(TextKey::TitleCheck, reportLanguageId());
    if (kind == ReportKind::Routes) return text(TextKey::RouteTitle, reportLanguageId());
    return reportText(titleKey(kind));
}

std::vector<std::wstring> missingReportItems(const MissingStock& missing) {
    // Ordered as the lines read: the items of each kind together, in the order of their words.
    StockSet lines;
    const std::wstring file = text(TextKey::MissingFilePrefix, missing.languageId()),
                       folder = text(TextKey::MissingFolderPrefix, missing.languageId());
    for (const std::wstring& reference : missing.references())
        lines.add((missing.kind(reference) == MissingKind::File ? file : folder) + reference);
    return lines.items();
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

// The date, warning, count and scope lines every report opens with, and the blank after them.
void appendReportHeader(std::vector<std::wstring>& lines, const std::wstring& countLine, bool includeTrainStore,
                  bool activitiesLine, std::size_t unreadableFolders, const std::wstring& date) {
    lines.push_back(reportText(TextKey::ReportHeaderPrefix) + date);
    lines.push_back(reportText(TextKey::BetaWarning));
    lines.push_back(countLine);
    if (includeTrainStore) lines.push_back(reportText(TextKey::TrainStoreIncluded));
    if (activitiesLine) lines.push_back(reportText(TextKey::ActivitiesIncluded));
    if (unreadableFolders > 0) lines.push_back(formatOne(reportText(TextKey::UnreadableFoldersLine), std::to_wstring(unreadableFolders)));
    lines.push_back(L" ");
}

void appendReportFooter(std::vector<std::wstring>& lines) {
    lines.push_back(L" ");
    lines.push_back(std::wstring(33, L'-'));
}

std::wstring reportSize(std::uint64_t bytes, int languageId) {
    static const wchar_t* const units[2][3] = {{L"Ko", L"Mo", L"Go"}, {L"KB", L"MB", L"GB"}};
    const bool english = languageId == 1;
    // Tenths of the unit, rounded; the next unit once the rounded value reaches 1024.
    std::uint64_t divisor = 1024;
    int unit = 0;
    std::uint64_t tenths = (bytes * 10 + divisor / 2) / divisor;
    while (unit < 2 && tenths >= 10240) {
        divisor *= 1024;
        ++unit;
        tenths = (bytes * 10 + divisor / 2) / divisor;
    }
    return std::to_wstring(tenths / 10) + (english ? L"." : L",") + std::to_wstring(tenths % 10) + L" " +
           units[english][unit];
}

namespace {
// The report's word for each kind, row i for kind i: a kind added to the
// reader without its text here stops the build.
struct KindText {
    StockReferenceKind kind;
    TextKey text;
};
constexpr auto kKindTexts = std::to_array<KindText>({
    {StockReferenceKind::Shape, TextKey::KindShape},
    {StockReferenceKind::FreightAnim, TextKey::KindFreightAnim},
    {StockReferenceKind::PassengerView, TextKey::KindPassengerView},
    {StockReferenceKind::Cab, TextKey::KindCab},
    {StockReferenceKind::Cab3d, TextKey::KindCab3d},
    {StockReferenceKind::Sound, TextKey::KindSound},
    {StockReferenceKind::Include, TextKey::KindInclude},
    {StockReferenceKind::Load, TextKey::KindLoad},
    {StockReferenceKind::Coupler, TextKey::KindCoupler},
    {StockReferenceKind::Script, TextKey::KindScript},
});
static_assert(kKindTexts.size() == kStockReferenceKinds, "one text per stock reference kind");
constexpr bool kindTextsInOrder() {
    for (std::size_t i = 0; i < kKindTexts.size(); ++i)
        if (static_cast<std::size_t>(kKindTexts[i].kind) != i) return false;
    return true;
}
static_assert(kindTextsInOrder(), "the kind texts in the kinds' order");

TextKey reasonKey(StockTextProblem problem) {
    switch (problem) {
    case StockTextProblem::ZeroCharacter: return TextKey::CheckReasonZeroCharacter;
    case StockTextProblem::NoByteOrderMark: return TextKey::CheckReasonNoByteOrderMark;
    case StockTextProblem::UnpairedQuotes: return TextKey::CheckReasonUnpairedQuotes;
    default: return TextKey::CheckReasonCannotOpen;
    }
}
} // namespace

std::wstring unreadableStockText(const UnreadableStock& u, int languageId) {
    std::wstring reason = text(reasonKey(u.problem), languageId);
    if (!u.systemReason.empty()) reason += L" (" + u.systemReason + L")";
    return u.file + L" " + reason;
}

std::vector<std::wstring> checkReportLines(const StockCheckResult& result, bool includeTrainStore,
                                           const std::wstring& date, bool activitiesRead,
                                           std::size_t unreadableFolders) {
    const int lang = reportLanguageId();
    const auto t = [lang](TextKey k) { return text(k, lang); };
    const auto rootName = [&](StockRoot r) {
        return t(r == StockRoot::Simulator ? TextKey::CheckRootSimulator : TextKey::CheckRootStore);
    };
    const auto joined = [](const std::vector<std::wstring>& items) {
        std::wstring out;
        for (const auto& i : items) out += (out.empty() ? L"" : L", ") + i;
        return out;
    };
    const auto folderName = [&](const TrainsetFolder& f) {
        std::wstring name = L" - " + f.folder + L" (" + rootName(f.root) + L")";
        if (f.link) name += L" " + (f.linkedTo.empty() ? t(TextKey::CheckLinkOnly) : formatOne(t(TextKey::CheckLink), f.linkedTo));
        return name;
    };
    std::vector<std::wstring> lines;
    appendReportHeader(lines, std::to_wstring(result.stockFilesRead) + L" " + t(TextKey::CheckFilesRead), includeTrainStore,
                 activitiesRead, unreadableFolders, date);
    lines.insert(lines.end() - 1, t(TextKey::CheckFoldersChecked) + L" " + result.simulatorFolder +
                                      (result.storeFolder.empty() ? L"" : L", " + result.storeFolder));
    // A section's title line with its count, then the lines that explain it.
    const auto header = [&](TextKey key, std::size_t count) { appendSectionHeader(lines, t(key), count); };
    // Sizes stand in one column, right-aligned, across both sized sections.
    std::size_t nameWidth = 0, sizeWidth = 0;
    for (const auto* folders : {&result.removable, &result.unneeded})
        for (const auto& f : *folders) {
            nameWidth = std::max(nameWidth, folderName(f).size());
            sizeWidth = std::max(sizeWidth, reportSize(f.bytes, lang).size());
        }
    const auto sized = [&](TextKey key, const std::vector<TrainsetFolder>& folders, bool activitiesNote) {
        header(key, folders.size());
        if (activitiesNote) {
            const auto note = splitLines(t(TextKey::CheckActivitiesNote));
            lines.insert(lines.end(), note.begin(), note.end());
        }
        if (!result.blockedBy.empty()) {
            const auto blocked = splitLines(formatOne(t(TextKey::CheckBlocked), result.blockedBy));
            lines.insert(lines.end(), blocked.begin(), blocked.end());
            lines.push_back(L" ");
            return;
        }
        std::uint64_t total = 0;
        for (const auto& f : folders) {
            const std::wstring name = folderName(f), size = reportSize(f.bytes, lang);
            lines.push_back(name + std::wstring(nameWidth - name.size() + 2 + sizeWidth - size.size(), L' ') + size);
            total += f.bytes;
        }
        lines.push_back(L"   " + t(TextKey::CheckTotal) + L" " + std::to_wstring(folders.size()) + L" " +
                        t(folders.size() == 1 ? TextKey::CheckFolderOne : TextKey::CheckFolderMany) + L", " +
                        reportSize(total, lang));
        lines.push_back(L" ");
    };

    header(TextKey::CheckBrokenHeader, result.broken.size());
    for (const auto& b : result.broken) {
        lines.push_back(L" - " + b.stock + L" (" + t(b.used ? TextKey::CheckUsed : TextKey::CheckOrphan) +
                        (b.root == StockRoot::Store ? L", " + rootName(b.root) : L"") + L")" +
                        (b.openRailsFile ? L" " + t(TextKey::CheckOpenRailsFile) : L""));
        for (const auto& a : b.absent)
            lines.push_back(L"     " + t(kKindTexts[static_cast<std::size_t>(a.kind)].text) + L" " +
                            shownStockName(a.name) + L" -> " + a.path +
                            (a.unknown ? L" " + t(TextKey::CheckFolderUnlisted) : L"") +
                            (a.includeLoop ? L" " + t(TextKey::CheckIncludeLoop) : L""));
    }
    lines.push_back(L" ");
    sized(TextKey::CheckRemovableHeader, result.removable, !activitiesRead);
    sized(TextKey::CheckUnneededHeader, result.unneeded, false);
    header(TextKey::CheckKeptHeader, result.kept.size());
    for (const auto& k : result.kept) {
        std::wstring line = folderName(k);
        if (!k.neededBy.empty()) line += L" " + t(TextKey::CheckKeptFor) + L" " + joined(k.neededBy);
        if (!k.neededBy.empty() && !k.missedBy.empty()) line += L";";
        if (!k.missedBy.empty()) line += L" " + formatOne(t(TextKey::CheckKeptMissed), joined(k.missedBy));
        lines.push_back(line);
    }
    lines.push_back(L" ");
    header(TextKey::CheckFoundElsewhereHeader, result.foundElsewhere.size());
    for (const auto& f : result.foundElsewhere) lines.push_back(L" - " + f.missing + L" : " + joined(f.candidates));
    if (!result.unreadable.empty()) {
        lines.push_back(L" ");
        header(TextKey::CheckUnreadableHeader, result.unreadable.size());
        for (const auto& u : result.unreadable)
            lines.push_back(L" - " + u.stock + L" (" + t(u.used ? TextKey::CheckUsed : TextKey::CheckOrphan) +
                            (u.root == StockRoot::Store ? L", " + rootName(u.root) : L"") + L"): " +
                            unreadableStockText(u, lang));
    }
    if (!result.unlisted.empty()) {
        lines.push_back(L" ");
        header(TextKey::CheckUnlistedHeader, result.unlisted.size());
        for (const auto& u : result.unlisted) lines.push_back(L" - " + u.folder + L" (" + rootName(u.root) + L")");
    }
    appendReportFooter(lines);
    return lines;
}

void buildCheckReport(const StockCheckResult& result, bool includeTrainStore, ReportTarget& target,
                      bool activitiesRead, std::size_t unreadableFolders) {
    fillReport(target, reportTitle(ReportKind::Check),
               checkReportLines(result, includeTrainStore, todayShortDate(), activitiesRead, unreadableFolders));
}

void fillReport(ReportTarget& target, const std::wstring& caption, const std::vector<std::wstring>& lines) {
    target.setCaption(caption);
    target.clear();
    for (const auto& line : lines) target.appendLine(line);
}

void appendSectionHeader(std::vector<std::wstring>& lines, const std::wstring& title, std::size_t count) {
    auto block = splitLines(title);
    block[0] += L" " + std::to_wstring(count);
    lines.insert(lines.end(), block.begin(), block.end());
}

std::vector<std::wstring> reportLines(ReportKind kind, const std::vector<std::wstring>& items, int count,
                                      bool includeTrainStore, const std::wstring& date, bool activitiesRead,
                                      std::size_t unreadableFolders) {
    std::vector<std::wstring> lines;
    appendReportHeader(lines, std::to_wstring(count) + L" " + reportTitle(kind), includeTrainStore,
                 activitiesRead && kind != ReportKind::Consists && kind != ReportKind::Stock, unreadableFolders, date);
    if (kind == ReportKind::Orphans || kind == ReportKind::Missing) {
        const auto block = splitLines(reportText(kind == ReportKind::Orphans ? TextKey::OrphansExplanation
                                                                             : TextKey::MissingExplanation));
        lines.insert(lines.end(), block.begin(), block.end());
    }
    lines.push_back(reportText(listHeaderKey(kind)));
    for (const auto& item : items) lines.push_back(L" - " + item);
    appendReportFooter(lines);
    return lines;
}

void buildReport(ReportKind kind, const std::vector<std::wstring>& items, int count, bool includeTrainStore,
                 ReportTarget& target, bool activitiesRead, std::size_t unreadableFolders) {
    fillReport(target, reportTitle(kind),
               reportLines(kind, items, count, includeTrainStore, todayShortDate(), activitiesRead, unreadableFolders));
}

} // namespace tw
