#pragma once
// Reading an engine or wagon file for the files it needs beside it: its shape,
// freight animation, passenger view, cabs, sound and included file. The file
// is flattened and masked as a consist is, then scanned once for the entry
// keywords. No Windows header: the fuzz target builds it natively.
#include <string>
#include <vector>

namespace tw {

enum class StockReferenceKind { Shape, FreightAnim, PassengerView, Cab, Cab3d, Sound, Include };

struct StockReference {
    StockReferenceKind kind;
    std::wstring name; // the first token of the entry's body, double quotes removed
};

// The entry's keyword, and the sub-folder of the stock file's folder its name
// is resolved from (empty for the folder itself).
const wchar_t* stockReferenceKeyword(StockReferenceKind kind);
const wchar_t* stockReferenceFolder(StockReferenceKind kind);
// The kind's name in the JSON output.
const char* stockReferenceJsonName(StockReferenceKind kind);

// Decodes a stock file: 16-bit little-endian text after a byte-order mark, or
// else 8-bit Windows-1252 text, then flattened as a consist. False (and an
// empty text) for a file that starts with the mark but holds no text after it.
bool flattenStockFile(const std::vector<unsigned char>& bytes, std::wstring& flattened);

// Every entry of a flattened stock file, in file order: a keyword standing as
// a whole word in any letter case, then blanks, then an open mark. An entry
// whose body has no first token names nothing. Linear in the text.
std::vector<StockReference> stockReferences(const std::wstring& flattened);

// The name joined to a folder as text: every run of "\" and "/" is one
// separator, "." parts are dropped and ".." removes the part before it (never
// the folder's drive or share). The result uses "\" only.
std::wstring joinStockPath(const std::wstring& folder, const std::wstring& name);

} // namespace tw
