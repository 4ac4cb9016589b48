#pragma once
// Reading an Open Rails timetable (.timetable-or, .timetable_or): a table of
// text cells whose columns are trains. Only what the trains need is kept: the
// consists of each train's #consist cell and the path of its #path cell.
// Bytes in, entries out: no file system here.
#include <string>
#include <string_view>
#include <vector>

namespace tw {

struct TimetableTrain {
    std::wstring name;                  // the column's header
    std::vector<std::wstring> consists; // each NAME of its #consist cell, as written
    std::wstring path;                  // the NAME of its #path cell, as written; empty when none
};

struct Timetable {
    bool readable = false; // false: the simulator skips the file (no known separator, or a row missing)
    std::vector<TimetableTrain> trains;
};


// The table: the separator is the first character (";", "," or a tab); rows
// end at line ends; cells are trimmed; quotes mean nothing. The first row
// holds the headers, the first column the row labels (lower-cased, cut at a
// "/"). A column with an empty header continues the one before it (its cell
// appended after one blank); a header starting with "#" is no train. The
// rows #consist, #path and #start must all be there. Linear in the text.
Timetable readTimetable(std::wstring_view text);

// A #consist cell's names: split at each "+" outside "<...>"; a part is
// "<NAME>" taken literally, or the text before its first "$", trimmed.
std::vector<std::wstring> timetableConsists(std::wstring_view cell);
// A #path cell's name: the text before its first "$", trimmed.
std::wstring timetablePath(std::wstring_view cell);

// NAME with the extension added when its last part has none ("x" -> "x.con").
std::wstring withDefaultExtension(const std::wstring& name, const wchar_t* extension);

} // namespace tw
