#pragma once
// Text helpers shared by every layer. No window header here: the analysis uses them.
#include <string>
#include <string_view>

namespace tw {

// Upper/lower casing of the ASCII letters only (a-z, A-Z); everything else unchanged.
std::wstring asciiUpper(std::wstring_view s);
std::wstring asciiLower(std::wstring_view s);
std::string asciiUpper(std::string_view s);

// Removes leading and trailing characters with codes 0 to 32.
std::wstring trimControls(std::wstring_view s);
std::string trimControls(std::string_view s);

// Windows-1252 <-> UTF-16. Characters without a 1252 form become '?'.
std::string toCp1252(std::wstring_view s);
// The same, but only when every character has its own 1252 form (no '?', no
// look-alike letter standing in): false otherwise, and out is then unspecified.
bool toCp1252Exactly(std::wstring_view s, std::string& out);
std::wstring fromCp1252(std::string_view s);
std::string toUtf8(std::wstring_view s);
std::wstring fromUtf8(std::string_view s);

// The user locale's case-insensitive comparison (accents significant):
// negative, 0 or positive like strcmp.
int compareUserLocaleNoCase(std::wstring_view a, std::wstring_view b);

// The sort key of that same comparison: comparing two keys byte by byte
// orders them as compareUserLocaleNoCase orders their texts, at a fraction of
// the cost once the keys are made. Never empty, except when the system cannot make one.
std::string userLocaleSortKey(std::wstring_view s);

// The file system's comparison of names without regard to case (the system's
// upper-case table, one code unit at a time): negative, 0 or positive. This is
// what "the same file apart from letter case" means: é and É are the same,
// ß and ss are not.
int compareFileSystemNoCase(std::wstring_view a, std::wstring_view b);
// The upper-case form under that same table: two texts compare equal under
// compareFileSystemNoCase exactly when these forms are equal.
std::wstring fileSystemUpper(std::wstring_view s);

// Replaces the first "%s" of a format with a value (for the fixed error texts).
std::wstring formatOne(std::wstring_view format, std::wstring_view value);

} // namespace tw
