#pragma once
// The route check: what each activity and Open Rails timetable of the
// simulator folder's routes needs on disk (services, traffic, consists,
// paths, stock, end-of-train devices), whether each activity will start,
// and which consists no activity or timetable plays, with the stock only
// they use. Every file is read once per run, every folder listed once.
#include "analysis/StockSet.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tw {

enum class RouteNeedKind { Service, Traffic, Consist, Path, Stock, EndOfTrain };

// The kind's name in the JSON output ("service", "traffic", "consist", "path", "stock", "eot").
const char* routeNeedJsonName(RouteNeedKind kind);

struct AbsentPiece {
    RouteNeedKind kind;
    std::wstring name; // as the file writes it, without an added extension; stock: FOLDER\FILE.ENG; eot: FOLDER\NAME.eot
    std::wstring via;  // the service, timetable train or consist that names it; empty when the activity does
};

// An activity or a timetable that needs something absent.
struct BrokenRun {
    std::wstring route;
    std::wstring file;  // relative to the route: ACTIVITIES\x.act, ACTIVITIES\OPENRAILS\x.timetable-or
    bool timetable = false;
    bool starts = true; // an activity that will not start: false; timetables always true
    std::vector<AbsentPiece> missing;
};

enum class RouteUnreadableReason { Unlisted, Unreadable, Undecodable, NotATimetable };
const char* routeUnreadableJsonName(RouteUnreadableReason reason);

struct UnreadableRouteFile {
    std::wstring route; // empty for the simulator folder's own (ROUTES, TRAINS\CONSISTS...)
    std::wstring file;  // relative to the route (or to the simulator folder); a folder for Unlisted
    RouteUnreadableReason reason;
};

struct RouteCheckResult {
    std::size_t routesRead = 0, activitiesRead = 0, timetablesRead = 0, trainsRead = 0;
    std::vector<BrokenRun> broken;                  // by route, then file, in the sets' order
    std::vector<UnreadableRouteFile> unreadable;
    std::vector<std::wstring> unplayedConsists;     // file names as in TRAINS\CONSISTS, in the sets' order
    std::vector<std::wstring> onlyUnplayedStock;    // as the used set writes them, in its order
    std::size_t folderListings = 0;                 // how many folders the run listed
    std::size_t filesRead = 0;                      // activities, timetables, services and played consists read
};

// What step 3 read of each consist of the simulator folder's TRAINS\CONSISTS,
// kept for the route check so that it reads no consist again. Thousands of
// consists name the same vehicles: each text is held once, a consist holds indices.
class ConsistsRead {
public:
    struct Consist {
        std::vector<std::uint32_t> references, devices; // into text()
    };
    void clear();
    // fileName as listed in TRAINS\CONSISTS; references as step 3 reads them,
    // devices as endOfTrainDevices gives them.
    void add(const std::wstring& fileName, const std::vector<std::wstring>& references,
             const std::vector<std::wstring>& devices);
    // The consist of that file name (any case), or null when step 3 did not read it there.
    const Consist* find(const std::wstring& fileName) const;
    const std::wstring& text(std::uint32_t index) const { return texts_[index]; }
    std::size_t size() const { return consists_.size(); }

private:
    std::uint32_t intern(const std::wstring& text);
    std::deque<std::wstring> texts_; // a deque: the views below stay valid as it grows
    std::unordered_map<std::wstring_view, std::uint32_t> index_;
    std::unordered_map<std::wstring, Consist> consists_; // by upper-case file name
};

struct RouteCheckInputs {
    std::wstring simulatorFolder;
    const StockSet& stock; // step 2's: a consist's reference absent from it is absent stock
    const StockSet& used;  // step 4's: the stock some consist uses
    // Step 3's consists: one it read is taken from here, not from the disk
    // (the check follows the analysis it comes after); others are read.
    const ConsistsRead* consistsRead = nullptr;
};

// Runs the check; progress is called before each activity and timetable, and
// before the consists nothing plays are sorted out, with its index and their number.
RouteCheckResult checkRoutes(const RouteCheckInputs& inputs,
                             const std::function<void(std::size_t index, std::size_t count)>& progress);

} // namespace tw
