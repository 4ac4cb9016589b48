// Fuzz target for the consist reader, the stock-file reader, the activity
// and service readers and the timetable reader: native Linux
// build with clang's libFuzzer (tools/fuzz). Every input goes through reading,
// masking and the gathering of references, then through the stock-file
// reading and the joining of each name it finds to a folder; any sanitizer
// report or failed check below is a finding.
//
// Checks, all deterministic (no clock: a loaded machine must not fail them):
// - an undecodable file gives an empty text; a decoded one holds no control
//   character and ends each kept line with one blank;
// - masking keeps the length and changes parentheses only;
// - blanking the skipped blocks keeps the length, turns characters into
//   blanks only, and leaves nothing to blank when done again;
// - the fast gathering equals extractNextEntry and normaliseEntry applied
//   literally, after the skipped blocks are blanked, until the text is exhausted;
// - its work stays linear: the positions its searches examine, the bytes it
//   allocates and the size of what it returns are bounded by a multiple of the
//   text's length;
// - the stock-file entries: names never empty, together no longer than the
//   text, allocations linear; an unreadable file gives no text; a joined name
//   (an include's too) keeps its folder's drive unless it names its own, and
//   holds no "/", no empty, "." or ".." part, no part ending in a dot or blank,
//   and no "[[samename]]";
// - the activity's and service's entries: names never empty, allocations linear;
// - the timetable: a table without its three rows has no train; every name
//   is non-empty, the names of the cells together no longer than the text,
//   allocations linear.
#include "analysis/ConsistReader.h"
#include "analysis/ActivityReader.h"
#include "analysis/ServiceReader.h"
#include "analysis/StockFileReader.h"
#include "analysis/TimetableReader.h"

#include <sanitizer/allocator_interface.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace tw;

namespace {

// Bytes allocated on this thread while `counting` is set (sanitizer hooks).
thread_local bool counting = false;
thread_local unsigned long long allocated = 0;
void onMalloc(const volatile void*, size_t size) {
    if (counting) allocated += size;
}
void onFree(const volatile void*) {}

// Bounds per character of text, a few times what the code needs: a quadratic
// regression overshoots them as soon as a text holds a dozen keywords.
constexpr unsigned long long kStepsPerChar = 6, kStepsFixed = 16;
constexpr unsigned long long kBytesPerChar = 256, kBytesFixed = 4096;

// The start of the text, enough to see the shape; the input itself is saved by libFuzzer.
std::string printable(const std::wstring& s) {
    std::string out;
    for (wchar_t c : s.substr(0, 300)) {
        if (c >= 32 && c < 127) out += static_cast<char>(c);
        else {
            char buf[16];
            std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned>(c));
            out += buf;
        }
    }
    return out;
}

[[noreturn]] void fail(const char* what, const std::wstring& text) {
    std::fprintf(stderr, "consist reader: %s\ntext (%zu chars): %s\n", what, text.size(), printable(text).c_str());
    std::abort();
}

std::vector<std::wstring> literalReferences(const std::wstring& flattened) {
    std::vector<std::wstring> refs;
    std::wstring rest = maskBrackets(flattened);
    blankSkippedBlocks(rest);
    while (!rest.empty()) {
        const std::wstring raw = extractNextEntry(rest, L"ENGINEDATA", L"WAGONDATA");
        if (!raw.empty()) refs.push_back(normaliseEntry(raw));
    }
    return refs;
}

void checkFlattened(const std::wstring& text, size_t units) {
    // Each kept line gives its characters and one blank for its end; only the
    // last line may lack an end in the file.
    if (text.size() > units + 1) fail("flattened text longer than the file", text);
    for (wchar_t c : text)
        if (static_cast<unsigned>(c) < 32u) fail("control character in the flattened text", text);
    if (!text.empty() && text.back() != L' ') fail("flattened text not ended by a blank", text);
}

void checkMask(const std::wstring& text) {
    const std::wstring masked = maskBrackets(text);
    if (masked.size() != text.size()) fail("masking changed the length", text);
    for (size_t i = 0; i < text.size(); ++i) {
        if (masked[i] == text[i]) continue;
        if (!(text[i] == L'(' && masked[i] == kOpenMark) && !(text[i] == L')' && masked[i] == kCloseMark))
            fail("masking changed something else than a parenthesis", text);
    }
}

void checkSkipped(const std::wstring& text) {
    std::wstring blanked = maskBrackets(text);
    const std::wstring masked = blanked;
    blankSkippedBlocks(blanked);
    if (blanked.size() != masked.size()) fail("blanking changed the length", text);
    for (size_t i = 0; i < masked.size(); ++i)
        if (blanked[i] != masked[i] && blanked[i] != L' ') fail("blanking wrote something else than a blank", text);
    std::wstring again = blanked;
    blankSkippedBlocks(again);
    if (again != blanked) fail("a skipped block left after blanking", text);
}

void checkReferences(const std::wstring& text) {
    const unsigned long long n = text.size();
    const unsigned long long steps0 = consistScanSteps();
    allocated = 0;
    counting = true;
    const std::vector<std::wstring> fast = consistReferences(text);
    counting = false;
    const unsigned long long steps = consistScanSteps() - steps0;

    if (steps > kStepsPerChar * n + kStepsFixed) fail("searches not linear in the text", text);
    if (allocated > kBytesPerChar * n + kBytesFixed) fail("allocations not linear in the text", text);
    // Bodies never overlap: together the references hold at most the text,
    // plus a separator and an extension each.
    unsigned long long total = 0;
    for (const std::wstring& ref : fast) total += ref.size();
    if (total > n + 5 * fast.size()) fail("references larger than the text", text);

    if (fast != literalReferences(text)) fail("fast gathering differs from the literal loop", text);
}

void checkJoined(const std::wstring& joined, const std::wstring& name, bool include) {
    const bool ownDrive = name.size() >= 2 && (name[1] == L':' || ((name[0] == L'\\' || name[0] == L'/') &&
                                                                  (name[1] == L'\\' || name[1] == L'/')));
    if (!ownDrive && joined.rfind(L"C:", 0) != 0) fail("joined name lost its drive", joined);
    // A share's server and share names are kept as written; the checks below look past them.
    if (joined.rfind(L"\\\\", 0) == 0) {
        const size_t server = joined.find(L'\\', 2), share = joined.find(L'\\', server == std::wstring::npos ? joined.size() : server + 1);
        if (server == 2 || share == server + 1) fail("empty server or share name", joined);
        if (share == std::wstring::npos) return;
        return checkJoined(L"C:" + joined.substr(share), L"", include);
    }
    if (joined.find(L'/') != std::wstring::npos || joined.find(L"\\\\", 2) != std::wstring::npos ||
        joined.find(L"\\.\\") != std::wstring::npos || joined.find(L"\\..\\") != std::wstring::npos ||
        (joined.size() >= 2 && (joined.back() == L'\\' || joined.substr(joined.size() - 2) == L"\\.")))
        fail("joined name keeps a separator run or a dot part", joined);
    for (size_t i = 1; i < joined.size(); ++i)
        if (!ownDrive && joined[i] == L'\\' && (joined[i - 1] == L'.' || joined[i - 1] == L' '))
            fail("joined name keeps a part's trailing dot or blank", joined);
    if (!ownDrive && !joined.empty() && (joined.back() == L'.' || joined.back() == L' '))
        fail("joined name ends in a dot or blank", joined);
    std::wstring upper = joined;
    for (wchar_t& c : upper) c = c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 32) : c;
    if (include && upper.find(L"[[SAMENAME]]") != std::wstring::npos)
        fail("samename left in a joined name", joined);
}

void checkStockFile(const std::vector<unsigned char>& bytes) {
    std::wstring text = L"not cleared";
    if (readStockText(bytes, text) != StockTextProblem::None) {
        if (!text.empty()) fail("unreadable stock file gave a text", text);
        return;
    }
    const unsigned long long n = text.size();
    allocated = 0;
    counting = true;
    const std::vector<StockReference> refs = stockReferences(text);
    counting = false;
    if (allocated > kBytesPerChar * n + kBytesFixed) fail("stock entries: allocations not linear in the text", text);
    unsigned long long total = 0;
    for (const StockReference& r : refs) {
        if (r.name.empty()) fail("stock entry with an empty name", text);
        total += r.name.size() + r.folder.size();
    }
    // A quoted name runs to the next quote, and the scan goes on after each
    // keyword, so an entry whose open mark is a literal mark character inside
    // a quoted name names a run of that name again; unquoted names stop at a
    // quote, so no character lies in more than two names (a load's folder is
    // the token after its name).
    if (total > 3 * n) fail("stock entries larger than three times the text", text);
    const StockFolders folders{L"C:\\MSTS\\TRAINS\\TRAINSET\\F", L"C:\\MSTS\\TRAINS\\TRAINSET", L"C:\\MSTS"};
    for (size_t i = 0; i < refs.size() && i < 16; ++i) {
        if (stockReferenceKind(refs[i].keyword) == StockReferenceKind::Include) {
            checkJoined(includePath(folders.stock + L"\\a.eng", refs[i].name), refs[i].name, true);
            continue;
        }
        for (const std::wstring& path : stockReferencePaths(refs[i], folders)) checkJoined(path, refs[i].name, false);
    }
}

void checkRouteReaders(const std::vector<unsigned char>& bytes) {
    std::wstring text;
    if (flattenSimulatorText(bytes, text)) {
        const unsigned long long n = text.size();
        allocated = 0;
        counting = true;
        const ActivityEntries activity = activityEntries(text);
        const ServiceEntries service = serviceEntries(text);
        counting = false;
        if (allocated > 2 * kBytesPerChar * n + kBytesFixed) fail("activity entries: allocations not linear in the text", text);
        for (const std::wstring& s : activity.services)
            if (s.empty()) fail("activity: a service without a name", text);
        (void)service;
    }
    const std::wstring table = decodeSimulatorText(bytes);
    const unsigned long long n = table.size();
    allocated = 0;
    counting = true;
    const Timetable timetable = readTimetable(table);
    counting = false;
    if (allocated > kBytesPerChar * n + kBytesFixed) fail("timetable: allocations not linear in the text", table);
    if (!timetable.readable && !timetable.trains.empty()) fail("timetable: trains of an unreadable table", table);
    unsigned long long total = 0;
    for (const TimetableTrain& t : timetable.trains) {
        if (t.name.empty() || t.name[0] == L'#') fail("timetable: a train without a name, or a # column", table);
        for (const std::wstring& c : t.consists) {
            if (c.empty()) fail("timetable: an empty consist name", table);
            total += c.size();
        }
        total += t.path.size();
    }
    // A continuing column adds one blank per cell, which no name keeps at its edges.
    if (total > n) fail("timetable: names larger than the text", table);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    __sanitizer_install_malloc_and_free_hooks(onMalloc, onFree);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<unsigned char> bytes(data, data + size);
    std::wstring text = L"not cleared";
    if (flattenConsist(bytes, text)) {
        checkFlattened(text, (size - 2) / 2);
    } else {
        if (!text.empty()) fail("undecodable file gave a text", text);
        // Scan the bytes as 8-bit text all the same, so that every input
        // reaches the scanner.
        text.assign(bytes.begin(), bytes.end());
    }
    checkMask(text);
    checkSkipped(text);
    checkReferences(text);
    checkStockFile(bytes);
    checkRouteReaders(bytes);
    return 0;
}
