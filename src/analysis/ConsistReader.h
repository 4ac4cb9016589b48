#pragma once
// Reading a consist file for the vehicles it uses. The reader does not parse
// the block structure: it flattens the file to one line, masks the structural
// parentheses and scans for the two entry keywords.
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// Replace the parentheses that lie outside double quotes.
constexpr wchar_t kOpenMark = L'\u00D7';
constexpr wchar_t kCloseMark = L'\u00DE';

extern const wchar_t* const kMsgUnicodeDecoding; // "Erreur de décodage du fichier unicode !"

// Decodes a UTF-16LE file with byte-order mark into the flattened text: the
// lines after the header that are not empty and begin neither with "//" nor
// with "SIM", each followed by one blank, tabs turned into blanks and other
// control characters dropped. A zero unit ends the text. Returns false (and an
// empty text) when the bytes are not such a file.
bool flattenConsist(const std::vector<unsigned char>& bytes, std::wstring& flattened);
// A simulator text file decoded: 16-bit little-endian text after its
// byte-order mark, else 8-bit Windows-1252 text; a zero ends the text.
std::wstring decodeSimulatorText(const std::vector<unsigned char>& bytes);
wchar_t windows1252Char(unsigned char b);
// The same, flattened as a consist; false (and an empty text) for a file that
// starts with the mark but holds no text after it.
bool flattenSimulatorText(const std::vector<unsigned char>& bytes, std::wstring& flattened);
// The same line rules applied to a text already decoded (its first line is the header).
void flattenLines(std::wstring_view text, std::wstring& flattened);

// The token of a masked text that starts at `at`, blanks skipped first: a
// quoted text (the quotes removed) or a run up to a blank, a mark or a quote.
// stop becomes the position just after it.
std::wstring_view maskedToken(std::wstring_view masked, std::size_t at, std::size_t& stop);

// Same length; "(" and ")" outside double quotes become the open and close marks.
std::wstring maskBrackets(const std::wstring& text);
void maskBracketsInPlace(std::wstring& text);

// Blanks every block the simulator skips in a masked text: the word "Skip"
// or "Comment" (any case), or a word that begins with "#" or "_", followed by
// an open mark, with its block up to the matching close mark (to the end when
// none). Only a word followed by an open mark counts: a name inside an
// entry's body ("#MT_Class47") is kept as it is. Same length, linear.
void blankSkippedBlocks(std::wstring& masked);

// Finds the first of the two keywords (ASCII case-insensitive). Returns the
// keyword, "\" and the trimmed body between the open mark that follows it and
// the next close mark, or an empty text when no such body follows (none, or
// one that holds another open mark); text becomes what follows the keyword
// (trimmed), or empty when neither keyword occurs.
std::wstring extractNextEntry(std::wstring& text, const std::wstring& firstKeyword, const std::wstring& secondKeyword);

// "ENGINEDATA\dash9 DASH9" -> "DASH9\DASH9.ENG"; quoted names and folders allowed.
std::wstring normaliseEntry(const std::wstring& rawEntry);

// All references of one flattened consist, in file order (duplicates kept),
// its skipped blocks blanked first: the same as extractNextEntry and
// normaliseEntry applied until the text is exhausted, in time and memory proportional to the text.
std::vector<std::wstring> consistReferences(const std::wstring& flattened);

// Text positions the searches of consistReferences have examined on this
// thread so far: a measure of its work that does not depend on the machine,
// which the fuzz target holds to a small multiple of the text's length.
unsigned long long consistScanSteps();

} // namespace tw
