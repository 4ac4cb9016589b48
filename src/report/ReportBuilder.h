#pragma once
// Turns one working set into the lines of a plain-text report, in the layout
// that is also saved to disk and printed, using the report texts of the
// language current when the report is built.
#include <string>
#include <vector>

#include "analysis/StockCheck.h"
#include "report/ReportTarget.h"

#include <cstdint>

namespace tw {

enum class ReportKind { Consists, Stock, Orphans, Missing, References, Check, Routes };

// The report's title in the current report texts ("Debug Liste" for references).
std::wstring reportTitle(ReportKind kind);

// Today's date in the user's short date format.
std::wstring todayShortDate();

// The report's lines, the date given. activitiesRead: the references came
// from a step 3 that read activities, which the references, orphans and
// missing reports say on a line of their own. unreadableFolders: how many
// folders the steps could not list; when any, a line under the scope lines
// says so and that the results are incomplete.
std::vector<std::wstring> reportLines(ReportKind kind, const std::vector<std::wstring>& items, int count,
                                      bool includeTrainStore, const std::wstring& date, bool activitiesRead = false,
                                      std::size_t unreadableFolders = 0);

// The missing report's items: each missing reference behind the words that
// say whether its file or its whole folder is absent (in the language step 5
// ran in), in the sets' order.
std::vector<std::wstring> missingReportItems(const MissingStock& missing);

// Sets the caption, clears the target and appends every line (today's date).
void buildReport(ReportKind kind, const std::vector<std::wstring>& items, int count, bool includeTrainStore,
                 ReportTarget& target, bool activitiesRead = false, std::size_t unreadableFolders = 0);

// The stock check's report, in the layout of the others: header and scope
// lines, then one section per finding.
std::vector<std::wstring> checkReportLines(const StockCheckResult& result, bool includeTrainStore,
                                           const std::wstring& date, bool activitiesRead = false,
                                           std::size_t unreadableFolders = 0);
// An unreadable stock entry's file and why, in the given language.
std::wstring unreadableStockText(const UnreadableStock& u, int languageId);
void buildCheckReport(const StockCheckResult& result, bool includeTrainStore, ReportTarget& target,
                      bool activitiesRead = false, std::size_t unreadableFolders = 0);

// The date, warning, count and scope lines every report opens with, and the
// blank after them; the blank and the rule every report ends with.
void appendReportHeader(std::vector<std::wstring>& lines, const std::wstring& countLine, bool includeTrainStore,
                        bool activitiesLine, std::size_t unreadableFolders, const std::wstring& date);
void appendReportFooter(std::vector<std::wstring>& lines);
// A section's title (its first line) with the count after it, then its other lines.
void appendSectionHeader(std::vector<std::wstring>& lines, const std::wstring& title, std::size_t count);
// Sets the caption, clears the target and appends the lines.
void fillReport(ReportTarget& target, const std::wstring& caption, const std::vector<std::wstring>& lines);

// A size for a report, 1024 based with one decimal: "KB", "MB" or "GB" in
// English, "Ko", "Mo" or "Go" and a decimal comma in French.
std::wstring reportSize(std::uint64_t bytes, int languageId);

// Splits at CR LF; the text after the last break is a line of its own.
std::vector<std::wstring> splitLines(const std::wstring& text);

} // namespace tw
