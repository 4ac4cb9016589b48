#include "analysis/TimetableReader.h"

#include "analysis/ConsistReader.h"
#include "platform/Text.h"

#include <array>
#include <optional>

namespace tw {

namespace {

std::wstring_view trimmed(std::wstring_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned>(s[b]) <= 32u) ++b;
    while (e > b && static_cast<unsigned>(s[e - 1]) <= 32u) --e;
    return s.substr(b, e - b);
}

std::wstring_view beforeDollar(std::wstring_view s) { return trimmed(s.substr(0, s.find(L'$'))); }

// One row's cells, trimmed, as views into the text.
void splitRow(std::wstring_view row, wchar_t separator, std::vector<std::wstring_view>& cells) {
    cells.clear();
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = row.find(separator, start);
        cells.push_back(trimmed(row.substr(start, at == std::wstring_view::npos ? std::wstring_view::npos : at - start)));
        if (at == std::wstring_view::npos) return;
        start = at + 1;
    }
}

std::wstring rowLabel(std::wstring_view cell) { return std::wstring(trimmed(asciiLower(cell.substr(0, cell.find(L'/'))))); }
} // namespace

Timetable readTimetable(std::wstring_view text) {
    Timetable table;
    if (text.empty() || (text[0] != L';' && text[0] != L',' && text[0] != L'\t')) return table;
    const wchar_t separator = text[0];

    // Each column's train (an index into table.trains), the train a
    // continuing column adds to, or none (labels, "#" columns).
    std::vector<std::optional<std::size_t>> columnTrain;
    std::vector<std::wstring_view> cells;
    bool header = true, consistRow = false, pathRow = false, startRow = false;
    std::vector<std::wstring> consistCells, pathCells;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = pos;
        while (end < text.size() && text[end] != L'\r' && text[end] != L'\n') ++end;
        const std::wstring_view row = text.substr(pos, end - pos);
        pos = end + (end + 1 < text.size() && text[end] == L'\r' && text[end + 1] == L'\n' ? 2 : 1);
        splitRow(row, separator, cells);
        if (header) {
            header = false;
            columnTrain.push_back(std::nullopt);
            std::optional<std::size_t> last; // what an empty header continues
            bool lastIsLabels = true;
            for (std::size_t c = 1; c < cells.size(); ++c) {
                if (cells[c].empty()) {
                    columnTrain.push_back(lastIsLabels ? std::nullopt : last);
                    continue;
                }
                lastIsLabels = false;
                if (cells[c][0] == L'#') {
                    last.reset();
                } else {
                    last = table.trains.size();
                    table.trains.push_back({std::wstring(cells[c]), {}, {}});
                }
                columnTrain.push_back(last);
            }
            consistCells.assign(table.trains.size(), std::wstring());
            pathCells.assign(table.trains.size(), std::wstring());
            continue;
        }
        if (cells[0].empty()) continue;
        const std::wstring label = rowLabel(cells[0]);
        std::vector<std::wstring>* target = nullptr;
        if (label == L"#consist" && !consistRow) {
            consistRow = true;
            target = &consistCells;
        } else if (label == L"#path" && !pathRow) {
            pathRow = true;
            target = &pathCells;
        } else if (label == L"#start") {
            startRow = true;
        }
        if (!target) continue;
        // Cells past the header row have no header: they continue the last column.
        for (std::size_t c = 1; c < cells.size(); ++c) {
            const auto train = c < columnTrain.size() ? columnTrain[c] : columnTrain.back();
            if (!train) continue;
            std::wstring& cell = (*target)[*train];
            const bool continues = c >= columnTrain.size() || (c > 0 && columnTrain[c] == columnTrain[c - 1]);
            if (continues && !cell.empty()) {
                if (!cells[c].empty()) (cell += L' ') += cells[c];
            } else if (!continues || cell.empty()) {
                cell = cells[c];
            }
        }
    }
    if (!consistRow || !pathRow || !startRow) {
        table.trains.clear();
        return table;
    }
    table.readable = true;
    for (std::size_t t = 0; t < table.trains.size(); ++t) {
        table.trains[t].consists = timetableConsists(consistCells[t]);
        table.trains[t].path = timetablePath(pathCells[t]);
    }
    return table;
}

std::vector<std::wstring> timetableConsists(std::wstring_view cell) {
    std::vector<std::wstring> names;
    std::size_t start = 0;
    bool inside = false;
    const auto addPart = [&](std::wstring_view part) {
        part = trimmed(part);
        if (!part.empty() && part[0] == L'<') {
            const std::size_t close = part.find(L'>');
            std::wstring_view literal = part.substr(1, close == std::wstring_view::npos ? std::wstring_view::npos : close - 1);
            if (!literal.empty()) names.emplace_back(literal);
            return;
        }
        const std::wstring_view name = beforeDollar(part);
        if (!name.empty()) names.emplace_back(name);
    };
    for (std::size_t i = 0; i < cell.size(); ++i) {
        if (cell[i] == L'<') inside = true;
        else if (cell[i] == L'>') inside = false;
        else if (cell[i] == L'+' && !inside) {
            addPart(cell.substr(start, i - start));
            start = i + 1;
        }
    }
    addPart(cell.substr(start));
    return names;
}

std::wstring timetablePath(std::wstring_view cell) { return std::wstring(beforeDollar(cell)); }

std::wstring withDefaultExtension(const std::wstring& name, const wchar_t* extension) {
    const std::size_t lastPart = name.find_last_of(L"\\/");
    const std::size_t dot = name.find_last_of(L'.');
    const bool has = dot != std::wstring::npos && (lastPart == std::wstring::npos || dot > lastPart);
    return has ? name : name + extension;
}

} // namespace tw
