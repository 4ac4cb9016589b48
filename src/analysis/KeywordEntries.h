#pragma once
// The entries of a flattened simulator file that open with one of a few
// keywords, with the first two tokens of their body: the shared scan of the
// activity, service and end-of-train readers. No Windows header: the fuzz
// target builds it natively.
#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

namespace tw {

struct KeywordEntry {
    std::size_t keyword; // index into the keywords given
    std::wstring first;  // the body's first token, double quotes removed; never empty
    std::wstring second; // the next token, or empty
};

// Every entry, in file order: a keyword (given in upper case) standing as a
// whole word in any letter case, then blanks, then an open parenthesis outside
// double quotes. A token is a quoted text, or a run up to a blank, a
// parenthesis or a quote. An entry whose body has no first token is left out.
// Linear in the text.
std::vector<KeywordEntry> keywordEntries(const std::wstring& flattened, std::initializer_list<const wchar_t*> keywords);

} // namespace tw
