#pragma once
// Reading an engine or wagon file as the simulator reads it, for the files it
// needs: its shape, freight animations and loads, passenger view, cabs,
// sounds, couplers, scripts and included files. The file is decoded, flattened
// and masked as a consist is, its skipped blocks blanked, then scanned once
// for the entry keywords. Also the rules that turn a name into the paths the
// simulator looks at. No Windows header: the fuzz target builds it natively.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// What a name is for; the report and the JSON output name each kind.
enum class StockReferenceKind { Shape, FreightAnim, PassengerView, Cab, Cab3d, Sound, Include, Load, Coupler, Script, Count };
constexpr std::size_t kStockReferenceKinds = static_cast<std::size_t>(StockReferenceKind::Count);

// Every entry keyword the reader knows, one per row of its table.
enum class StockKeyword {
    WagonShape, FreightAnim, PassengerCabinFile, CabView, Orts3dCabFile, Sound, OrtsTrainControlSystemSound, Include,
    FreightAnimShape, LoadData,
    FrontCouplerAnim, RearCouplerAnim, FrontCouplerOpenAnim, RearCouplerOpenAnim, FrontAirHoseAnim, RearAirHoseAnim,
    FrontAirHoseDiconnectedAnim, RearAirHoseDiconnectedAnim,
    OrtsTrainControlSystem, OrtsTrainBrakeController, OrtsEngineBrakeController, OrtsPowerSupply, OrtsCircuitBreaker,
    OrtsTrainControlSystemParameters,
    Count
};

struct StockReference {
    StockKeyword keyword;
    std::wstring name;   // the first token of the entry's body, double quotes removed
    std::wstring folder; // LoadData's second token (its folder under TRAINSET); empty otherwise
};

StockReferenceKind stockReferenceKind(StockKeyword keyword);
// The entry's keyword as the files usually write it.
const wchar_t* stockKeywordText(StockKeyword keyword);
// The kind's name in the JSON output.
const char* stockReferenceJsonName(StockReferenceKind kind);

// Why a stock file cannot be read as the simulator would read it.
enum class StockTextProblem { None, CannotOpen, ZeroCharacter, NoByteOrderMark, UnpairedQuotes };
const char* stockTextProblemJsonName(StockTextProblem problem);

// Decodes a stock or included file: 16-bit little- or big-endian text after
// its byte-order mark, UTF-8 after its mark, or else 8-bit Windows-1252 text;
// then flattened as a consist (its first line is the header). A zero
// character before the end, 16-bit text without its mark, or double quotes
// that do not pair up make the file unreadable as the simulator would read
// it: the problem is returned and the text is empty.
StockTextProblem readStockText(const std::vector<unsigned char>& bytes, std::wstring& flattened);

// Every entry of a flattened stock file, in file order, outside skipped
// blocks: a keyword standing as a whole token in any letter case, then an
// open mark (the include also written "include NAME"). The Open Rails
// freight animations' Shape and LoadData count inside an ORTSFreightAnims
// block only. An entry whose body has no first token names nothing; a script
// with a name the simulator has built in names no file. Linear in the text.
std::vector<StockReference> stockReferences(const std::wstring& flattened);

// The folders a stock file's names are resolved from. All paths use "\".
struct StockFolders {
    std::wstring stock;     // the stock file's own folder
    std::wstring trainset;  // its root's TRAINS\TRAINSET
    std::wstring simulator; // the simulator's folder (its SOUND is the sounds' fallback)
};

// The paths the simulator looks at for an entry that is not an include, in
// its order: the first present one is the file used (a sound from the stock's
// SOUND, then the simulator's; a load's ".load-or", then ".loa").
std::vector<std::wstring> stockReferencePaths(const StockReference& ref, const StockFolders& folders);

// The path of an include written in the file at includingFile: relative to
// that file's folder, "[[samename]]" standing for that file's own name.
std::wstring includePath(const std::wstring& includingFile, const std::wstring& name);

// The name joined to a folder as text: every run of "\" and "/" is one
// separator, every part loses its trailing dots and blanks, "." parts are
// dropped and ".." removes the part before it (never the folder's drive or
// share). A name with a drive ("C:") or a share ("\\server\share") is that
// path, its drive or share kept as the folder's would be. The result uses
// "\" only.
std::wstring joinStockPath(const std::wstring& folder, const std::wstring& name);

// The name as a report shows it: each run of "\" as one.
std::wstring shownStockName(std::wstring_view name);

} // namespace tw
