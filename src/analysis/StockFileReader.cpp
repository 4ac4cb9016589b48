#include "analysis/StockFileReader.h"

#include "analysis/ConsistReader.h"

#include <array>

namespace tw {

namespace {
// Where an entry counts, and where its name is looked for.
enum class Where { Anywhere, InFreightAnims };
enum class Resolve { StockFolder, Cab, Cab3d, Sound, Include, Load, Script, ScriptAsIs };

struct KeywordRow {
    StockKeyword keyword; // the row's own enumerator: the table is checked against the enum below
    const wchar_t* text;
    StockReferenceKind kind;
    Where where;
    Resolve resolve;
};

using K = StockKeyword;
using R = StockReferenceKind;
constexpr std::array<KeywordRow, static_cast<std::size_t>(K::Count)> kKeywords{{
    {K::WagonShape, L"WagonShape", R::Shape, Where::Anywhere, Resolve::StockFolder},
    {K::FreightAnim, L"FreightAnim", R::FreightAnim, Where::Anywhere, Resolve::StockFolder},
    {K::PassengerCabinFile, L"PassengerCabinFile", R::PassengerView, Where::Anywhere, Resolve::StockFolder},
    {K::CabView, L"CabView", R::Cab, Where::Anywhere, Resolve::Cab},
    {K::Orts3dCabFile, L"ORTS3DCabFile", R::Cab3d, Where::Anywhere, Resolve::Cab3d},
    {K::Sound, L"Sound", R::Sound, Where::Anywhere, Resolve::Sound},
    {K::OrtsTrainControlSystemSound, L"ORTSTrainControlSystemSound", R::Sound, Where::Anywhere, Resolve::Sound},
    {K::Include, L"Include", R::Include, Where::Anywhere, Resolve::Include},
    {K::FreightAnimShape, L"Shape", R::FreightAnim, Where::InFreightAnims, Resolve::StockFolder},
    {K::LoadData, L"LoadData", R::Load, Where::InFreightAnims, Resolve::Load},
    {K::FrontCouplerAnim, L"FrontCouplerAnim", R::Coupler, Where::Anywhere, Resolve::StockFolder},
    {K::RearCouplerAnim, L"RearCouplerAnim", R::Coupler, Where::Anywhere, Resolve::StockFolder},
    {K::FrontCouplerOpenAnim, L"FrontCouplerOpenAnim", R::Coupler, Where::Anywhere, Resolve::StockFolder},
    {K::RearCouplerOpenAnim, L"RearCouplerOpenAnim", R::Coupler, Where::Anywhere, Resolve::StockFolder},
    {K::FrontAirHoseAnim, L"FrontAirHoseAnim", R::Coupler, Where::Anywhere, Resolve::StockFolder},
    {K::RearAirHoseAnim, L"RearAirHoseAnim", R::Coupler, Where::Anywhere, Resolve::StockFolder},
    // Spelled so by the simulator.
    {K::FrontAirHoseDiconnectedAnim, L"FrontAirHoseDiconnectedAnim", R::Coupler, Where::Anywhere, Resolve::StockFolder},
    {K::RearAirHoseDiconnectedAnim, L"RearAirHoseDiconnectedAnim", R::Coupler, Where::Anywhere, Resolve::StockFolder},
    {K::OrtsTrainControlSystem, L"ORTSTrainControlSystem", R::Script, Where::Anywhere, Resolve::Script},
    {K::OrtsTrainBrakeController, L"ORTSTrainBrakeController", R::Script, Where::Anywhere, Resolve::Script},
    {K::OrtsEngineBrakeController, L"ORTSEngineBrakeController", R::Script, Where::Anywhere, Resolve::Script},
    {K::OrtsPowerSupply, L"ORTSPowerSupply", R::Script, Where::Anywhere, Resolve::Script},
    {K::OrtsCircuitBreaker, L"ORTSCircuitBreaker", R::Script, Where::Anywhere, Resolve::Script},
    {K::OrtsTrainControlSystemParameters, L"ORTSTrainControlSystemParameters", R::Script, Where::Anywhere,
     Resolve::ScriptAsIs},
}};

constexpr bool tableFollowsEnum() {
    for (std::size_t i = 0; i < kKeywords.size(); ++i)
        if (static_cast<std::size_t>(kKeywords[i].keyword) != i) return false;
    return true;
}
static_assert(tableFollowsEnum(), "one keyword row per StockKeyword, in its order");

constexpr std::size_t length(const wchar_t* s) {
    std::size_t n = 0;
    while (s[n]) ++n;
    return n;
}
constexpr std::size_t longestKeyword() {
    std::size_t longest = 0;
    for (const KeywordRow& k : kKeywords) longest = length(k.text) > longest ? length(k.text) : longest;
    return longest;
}
constexpr std::size_t kLongestKeyword = longestKeyword();

constexpr std::array<const char*, kStockReferenceKinds> kKindJson{
    "shape", "freightAnim", "passengerView", "cab", "cab3d", "sound", "include", "load", "coupler", "script"};

// Names the simulator has built in for its scripts: no file stands behind them.
constexpr std::array<const wchar_t*, 6> kBuiltInScripts{L"MSTS", L"DEFAULT", L"AUTOMATIC", L"MANUAL", L"PUSHBUTTONS",
                                                        L"TWOSTAGE"};

const KeywordRow& row(StockKeyword keyword) { return kKeywords[static_cast<std::size_t>(keyword)]; }

wchar_t upper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

bool sameUpper(std::wstring_view a, const wchar_t* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (upper(a[i]) != upper(b[i])) return false;
    return i == a.size() && !b[i];
}


bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// UTF-8 into UTF-16; a malformed sequence gives one replacement character.
void decodeUtf8(const std::vector<unsigned char>& bytes, std::size_t from, std::wstring& out) {
    std::size_t i = from;
    while (i < bytes.size()) {
        const unsigned char b = bytes[i];
        const int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
        char32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        bool good = extra >= 0 && i + extra < bytes.size() + (extra == 0 ? 1 : 0);
        for (int k = 1; good && k <= extra; ++k) {
            if ((bytes[i + k] & 0xC0) != 0x80) good = false;
            else c = (c << 6) | (bytes[i + k] & 0x3F);
        }
        if (!good || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            out += L'\uFFFD';
            ++i;
            continue;
        }
        i += 1 + extra;
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<wchar_t>(0xD800 + (c >> 10));
            out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<wchar_t>(c);
        }
    }
}

// The start of a path that ".." never climbs over: "\\?\UNC\server\share",
// "\\?\C:", "\\server\share", "C:", or else its first part.
std::size_t fixedStart(std::wstring_view p) {
    const auto partEnd = [&](std::size_t from) {
        while (from < p.size() && !isSeparator(p[from])) ++from;
        return from;
    };
    // Past that many parts, each after its run of separators.
    const auto afterParts = [&](std::size_t from, int parts) {
        std::size_t at = from;
        for (int i = 0; i < parts; ++i) {
            while (at < p.size() && isSeparator(p[at])) ++at;
            at = partEnd(at);
        }
        return at;
    };
    if (p.size() >= 4 && isSeparator(p[0]) && isSeparator(p[1]) && p[2] == L'?' && isSeparator(p[3])) {
        if (p.size() >= 8 && sameUpper(p.substr(4, 3), L"UNC") && isSeparator(p[7])) return afterParts(8, 2);
        return partEnd(4);
    }
    if (p.size() >= 2 && isSeparator(p[0]) && isSeparator(p[1])) return afterParts(2, 2);
    return partEnd(0);
}

bool hasDrive(std::wstring_view name) {
    return name.size() >= 2 && name[1] == L':' && ((name[0] >= L'a' && name[0] <= L'z') || (name[0] >= L'A' && name[0] <= L'Z'));
}
bool isShare(std::wstring_view name) { return name.size() >= 2 && isSeparator(name[0]) && isSeparator(name[1]); }
} // namespace

StockReferenceKind stockReferenceKind(StockKeyword keyword) { return row(keyword).kind; }
const wchar_t* stockKeywordText(StockKeyword keyword) { return row(keyword).text; }
const char* stockReferenceJsonName(StockReferenceKind kind) { return kKindJson[static_cast<std::size_t>(kind)]; }

const char* stockTextProblemJsonName(StockTextProblem problem) {
    switch (problem) {
    case StockTextProblem::None: break;
    case StockTextProblem::CannotOpen: return "cannotOpen";
    case StockTextProblem::ZeroCharacter: return "zeroCharacter";
    case StockTextProblem::NoByteOrderMark: return "noByteOrderMark";
    case StockTextProblem::UnpairedQuotes: return "unpairedQuotes";
    }
    return "";
}

StockTextProblem readStockText(const std::vector<unsigned char>& bytes, std::wstring& flattened) {
    flattened.clear();
    thread_local std::wstring text;
    text.clear();
    text.reserve(bytes.size());
    const std::size_t n = bytes.size();
    const bool little = n >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
    const bool big = n >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF;
    if (little || big) {
        for (std::size_t i = 2; i + 2 <= n; i += 2)
            text += static_cast<wchar_t>(little ? bytes[i] | (bytes[i + 1] << 8) : (bytes[i] << 8) | bytes[i + 1]);
    } else if (n >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        decodeUtf8(bytes, 3, text);
    } else {
        // Without a mark, 16-bit text shows as a zero beside each of its first letters.
        if (n >= 2 && (bytes[0] == 0) != (bytes[1] == 0)) return StockTextProblem::NoByteOrderMark;
        for (unsigned char b : bytes)
            text += windows1252Char(b);
    }
    // Zeros that end the file are padding; one with text after it is not.
    std::size_t end = text.size();
    while (end > 0 && text[end - 1] == 0) --end;
    if (text.find(L'\0') < end) return StockTextProblem::ZeroCharacter;
    text.resize(end);
    flattenLines(text, flattened);
    std::size_t quotes = 0;
    for (wchar_t c : flattened) quotes += c == L'"';
    if (quotes % 2 != 0) {
        flattened.clear();
        return StockTextProblem::UnpairedQuotes;
    }
    return StockTextProblem::None;
}

std::vector<StockReference> stockReferences(const std::wstring& flattened) {
    std::vector<StockReference> refs;
    thread_local std::wstring text;
    text = flattened;
    maskBracketsInPlace(text);
    blankSkippedBlocks(text);
    const std::size_t n = text.size();
    const auto tokenAt = [&](std::size_t at, std::size_t& stop) { return maskedToken(text, at, stop); };
    std::size_t depth = 0;
    std::size_t freightAnimsDepth = 0; // the depth inside the outermost ORTSFreightAnims block; 0 outside
    std::size_t i = 0;
    while (i < n) {
        const wchar_t c = text[i];
        if (c == kOpenMark) {
            ++depth;
            ++i;
            continue;
        }
        if (c == kCloseMark) {
            if (depth > 0) --depth;
            if (depth < freightAnimsDepth) freightAnimsDepth = 0;
            ++i;
            continue;
        }
        if (c == L' ') {
            ++i;
            continue;
        }
        std::size_t end = 0;
        const std::wstring_view word = tokenAt(i, end);
        const bool quoted = c == L'"';
        i = end;
        if (quoted || word.size() > kLongestKeyword) continue;
        std::size_t at = end;
        while (at < n && text[at] == L' ') ++at;
        const bool block = at < n && text[at] == kOpenMark;
        if (!block && !sameUpper(word, L"include")) continue;
        if (block && freightAnimsDepth == 0 && sameUpper(word, L"ORTSFreightAnims")) {
            freightAnimsDepth = depth + 1;
            continue;
        }
        const KeywordRow* found = nullptr;
        for (const KeywordRow& k : kKeywords)
            if (sameUpper(word, k.text) && (k.where == Where::Anywhere || freightAnimsDepth != 0)) {
                found = &k;
                break;
            }
        if (!found) continue;
        std::size_t stop = 0;
        StockReference ref{found->keyword, std::wstring(tokenAt(block ? at + 1 : at, stop)), {}};
        if (!block) i = stop; // "include NAME": the name is not read again as a word
        if (found->keyword == K::LoadData) ref.folder = std::wstring(tokenAt(stop, stop));
        if (ref.name.empty()) continue;
        if (found->resolve == Resolve::Script) {
            bool builtIn = false;
            for (const wchar_t* b : kBuiltInScripts) builtIn = builtIn || sameUpper(ref.name, b);
            if (builtIn) continue;
        }
        refs.push_back(std::move(ref));
    }
    return refs;
}

std::vector<std::wstring> stockReferencePaths(const StockReference& ref, const StockFolders& folders) {
    const std::wstring& name = ref.name;
    switch (row(ref.keyword).resolve) {
    case Resolve::StockFolder: return {joinStockPath(folders.stock, name)};
    case Resolve::Cab: return {joinStockPath(folders.stock + L"\\CABVIEW", name)};
    case Resolve::Cab3d: return {joinStockPath(folders.stock + L"\\CABVIEW3D", name)};
    case Resolve::Sound:
        // The simulator's own sounds are the fallback the simulator uses.
        return {joinStockPath(folders.stock + L"\\SOUND", name), joinStockPath(folders.simulator + L"\\SOUND", name)};
    case Resolve::Include: return {joinStockPath(folders.stock, name)};
    case Resolve::Load: {
        const std::wstring base = joinStockPath(joinStockPath(folders.trainset, ref.folder), name);
        return {base + L".load-or", base + L".loa"};
    }
    case Resolve::Script: {
        std::wstring path = joinStockPath(folders.stock + L"\\Script", name);
        const std::size_t slash = path.find_last_of(L'\\');
        if (path.find(L'.', slash == std::wstring::npos ? 0 : slash) == std::wstring::npos) path += L".cs";
        return {path};
    }
    case Resolve::ScriptAsIs: return {joinStockPath(folders.stock + L"\\Script", name)};
    }
    return {};
}

std::wstring includePath(const std::wstring& includingFile, const std::wstring& name) {
    const std::size_t slash = includingFile.find_last_of(L'\\');
    const std::wstring own = includingFile.substr(slash + 1);
    std::wstring resolved;
    static constexpr std::wstring_view kSameName = L"[[samename]]";
    for (std::size_t at = 0; at < name.size();) {
        if (sameUpper(std::wstring_view(name).substr(at, kSameName.size()), L"[[SAMENAME]]")) {
            resolved += own;
            at += kSameName.size();
        } else {
            resolved += name[at++];
        }
    }
    return joinStockPath(slash == std::wstring::npos ? std::wstring() : includingFile.substr(0, slash), resolved);
}

std::wstring joinStockPath(const std::wstring& folder, const std::wstring& name) {
    const bool extended = folder.rfind(L"\\\\?\\", 0) == 0;
    std::wstring start; // the result's fixed start
    std::wstring_view rest[2] = {folder, name};
    if (hasDrive(name) || isShare(name)) {
        // An absolute name: that path, in the folder's form (extended or not).
        const std::size_t fixed = hasDrive(name) ? 2 : fixedStart(name);
        // The drive, or "\\server\share" with one separator between its parts.
        std::wstring head;
        for (std::size_t i = 0; i < fixed; ++i) {
            const wchar_t c = isSeparator(name[i]) ? L'\\' : name[i];
            if (c != L'\\' || i < 2 || head.back() != L'\\') head += c;
        }
        if (!extended) start = head;
        else if (hasDrive(name)) start = L"\\\\?\\" + head;
        else start = L"\\\\?\\UNC\\" + head.substr(2);
        rest[0] = {};
        rest[1] = std::wstring_view(name).substr(fixed);
    } else {
        const std::size_t fixed = fixedStart(folder);
        start = folder.substr(0, fixed);
        rest[0] = std::wstring_view(folder).substr(fixed);
    }
    std::wstring out = start;
    const std::size_t base = out.size();
    for (const std::wstring_view text : rest) {
        std::size_t p = 0;
        while (p < text.size()) {
            while (p < text.size() && isSeparator(text[p])) ++p;
            std::size_t e = p;
            while (e < text.size() && !isSeparator(text[e])) ++e;
            std::wstring_view part = text.substr(p, e - p);
            p = e;
            // As Windows does for every ordinary path, a name's part loses its
            // trailing dots and blanks; the folder is kept as listed ("A." is
            // a folder's real name when it was created in the extended form).
            const bool dots = part == L"." || part == L"..";
            if (!dots && text.data() == rest[1].data())
                while (!part.empty() && (part.back() == L'.' || part.back() == L' ')) part.remove_suffix(1);
            if (part.empty() || part == L".") continue;
            if (part == L"..") {
                const std::size_t cut = out.find_last_of(L'\\');
                out.resize(cut == std::wstring::npos || cut < base ? base : cut);
                continue;
            }
            out += L'\\';
            out += part;
        }
    }
    return out;
}

std::wstring shownStockName(std::wstring_view name) {
    std::wstring out;
    out.reserve(name.size());
    for (wchar_t c : name)
        if (c != L'\\' || out.empty() || out.back() != L'\\') out += c;
    return out;
}

} // namespace tw
