#include "analysis/RouteCheck.h"

#include "analysis/ActivityReader.h"
#include "analysis/AnalysisController.h"
#include "analysis/ConsistReader.h"
#include "analysis/EndOfTrainReader.h"
#include "analysis/ServiceReader.h"
#include "analysis/StockFileReader.h"
#include "analysis/TimetableReader.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "scan/ListingCache.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <unordered_set>

namespace tw {

const char* routeNeedJsonName(RouteNeedKind kind) {
    switch (kind) {
    case RouteNeedKind::Service: return "service";
    case RouteNeedKind::Traffic: return "traffic";
    case RouteNeedKind::Consist: return "consist";
    case RouteNeedKind::Path: return "path";
    case RouteNeedKind::Stock: return "stock";
    case RouteNeedKind::EndOfTrain: return "eot";
    }
    return "";
}

const char* routeUnreadableJsonName(RouteUnreadableReason reason) {
    switch (reason) {
    case RouteUnreadableReason::Unlisted: return "unlisted";
    case RouteUnreadableReason::Unreadable: return "unreadable";
    case RouteUnreadableReason::Undecodable: return "undecodable";
    case RouteUnreadableReason::NotATimetable: return "notATimetable";
    }
    return "";
}

void ConsistsRead::clear() {
    consists_.clear();
    index_.clear();
    texts_.clear();
}

std::uint32_t ConsistsRead::intern(const std::wstring& text) {
    if (auto at = index_.find(text); at != index_.end()) return at->second;
    const auto index = static_cast<std::uint32_t>(texts_.size());
    texts_.push_back(text);
    index_.emplace(texts_.back(), index);
    return index;
}

void ConsistsRead::add(const std::wstring& fileName, const std::vector<std::wstring>& references,
                       const std::vector<std::wstring>& devices) {
    Consist c;
    c.references.reserve(references.size());
    for (const std::wstring& ref : references) c.references.push_back(intern(ref));
    c.devices.reserve(devices.size());
    for (const std::wstring& device : devices) c.devices.push_back(intern(device));
    consists_[fileSystemUpper(fileName)] = std::move(c);
}

const ConsistsRead::Consist* ConsistsRead::find(const std::wstring& fileName) const {
    const auto at = consists_.find(fileSystemUpper(fileName));
    return at == consists_.end() ? nullptr : &at->second;
}

namespace {

bool endsWithUpper(const std::wstring& upperName, std::wstring_view suffix) {
    return upperName.size() > suffix.size() && upperName.compare(upperName.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// A file of a route to read: an activity or a timetable.
struct RouteFile {
    std::wstring route;     // as listed
    std::wstring routePath; // extended form
    std::wstring relative;  // as the report writes it
    std::wstring path;      // extended form
    bool timetable;
};

struct ConsistInfo {
    bool read = false;
    bool played = false; // once played: what it lacks is known, its stock counted as played
    std::vector<std::wstring> references;
    std::vector<std::wstring> devices;
    std::vector<std::wstring> absentStock;   // each once
    std::vector<std::wstring> absentDevices; // each once
};

// What a consist's name comes to: whether it is there and, read, what it lacks.
struct ConsistNeed {
    PathState state = PathState::Absent;
    std::wstring key;            // fileSystemUpper of its path
    ConsistInfo* info = nullptr; // read and played
};

// A service, read and resolved once for every activity of its route that names it.
struct ServiceInfo {
    PathState state = PathState::Absent;
    bool read = false;
    ServiceEntries entries;
    ConsistNeed consist;
    PathState path = PathState::Present;
};

class RouteRun {
public:
    explicit RouteRun(const RouteCheckInputs& in)
        : in_(in), simulator_(joinStockPath(extendedPath(in.simulatorFolder), L"")),
          consists_(simulator_ + kConsistsBelow), devices_(simulator_ + kEndOfTrainBelow) {}

    RouteCheckResult run(const std::function<void(std::size_t, std::size_t)>& progress) {
        const std::vector<RouteFile> files = listRouteFiles();
        // The last step, the consists nothing plays, counts as one.
        const std::size_t count = files.size() + 1;
        std::size_t index = 0;
        for (const RouteFile& file : files) {
            if (progress) progress(index, count);
            ++index;
            file.timetable ? readTimetableFile(file) : readActivity(file);
        }
        if (progress) progress(index, count);
        for (const std::wstring& name : filesOf(L"", L"TRAINS\\CONSISTS", consists_, {L".CON"}))
            if (!played_.count(fileSystemUpper(consists_ + L"\\" + name))) result_.unplayedConsists.push_back(name);
        // Step 3 read every consist: stock some consist uses that no played
        // consist and no loose consist uses is used by unplayed consists only,
        // without reading those again.
        for (const std::wstring& item : in_.used) {
            const std::wstring key = fileSystemUpper(item);
            if (!playedStock_.count(key) && !looseStock_.count(key)) result_.onlyUnplayedStock.push_back(item);
        }
        result_.folderListings = cache_.listings();
        return std::move(result_);
    }

private:
    // The names in a folder (files or folders), in the sets' order; a folder
    // that could not be listed is named as unreadable.
    std::vector<std::wstring> namesIn(const std::wstring& route, const std::wstring& relative, const std::wstring& path,
                                      bool folders) {
        std::vector<std::wstring> names;
        const ListingCache::Folder& folder = cache_.folder(path);
        if (folder.state == ListingState::Unlisted) noteUnlisted(route, relative);
        if (folder.state != ListingState::Listed) return names;
        for (const FolderListing::Entry& e : folder.listing.entries)
            if (!folder.listing.isDotOrDotDot(e) && FolderListing::isFolder(e) == folders)
                names.emplace_back(folder.listing.nameView(e));
        std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) { return compareStockItems(a, b) < 0; });
        return names;
    }

    std::vector<std::wstring> filesOf(const std::wstring& route, const std::wstring& relative, const std::wstring& path,
                                      std::initializer_list<std::wstring_view> upperExtensions) {
        std::vector<std::wstring> files;
        for (std::wstring& name : namesIn(route, relative, path, false)) {
            const std::wstring upper = fileSystemUpper(name);
            for (std::wstring_view ext : upperExtensions)
                if (endsWithUpper(upper, ext)) {
                    files.push_back(std::move(name));
                    break;
                }
        }
        return files;
    }

    // The sub-folder of that name as listed (its spelling on disk), or empty.
    std::wstring subFolder(const std::wstring& path, const wchar_t* name) {
        const ListingCache::Folder& folder = cache_.folder(path);
        if (folder.state != ListingState::Listed) return {};
        const FolderListing::Entry* e = folder.find(name);
        return e && FolderListing::isFolder(*e) ? std::wstring(folder.listing.nameView(*e)) : std::wstring();
    }

    std::vector<RouteFile> listRouteFiles() {
        std::vector<RouteFile> files;
        const std::wstring routesName = subFolder(simulator_, L"ROUTES");
        if (routesName.empty()) {
            if (cache_.folder(simulator_).state == ListingState::Unlisted) noteUnlisted(L"", L"");
            return files;
        }
        const std::wstring routes = simulator_ + L"\\" + routesName;
        for (const std::wstring& route : namesIn(L"", routesName, routes, true)) {
            const std::wstring routePath = routes + L"\\" + route;
            if (cache_.folder(routePath).state != ListingState::Listed) {
                noteUnlisted(route, L"");
                continue;
            }
            ++result_.routesRead;
            const std::wstring activities = subFolder(routePath, L"ACTIVITIES");
            if (activities.empty()) continue;
            const std::wstring activitiesPath = routePath + L"\\" + activities;
            for (const std::wstring& name : filesOf(route, activities, activitiesPath, {L".ACT"}))
                files.push_back({route, routePath, activities + L"\\" + name, activitiesPath + L"\\" + name, false});
            const std::wstring openRails = subFolder(activitiesPath, L"OPENRAILS");
            if (openRails.empty()) continue;
            const std::wstring relative = activities + L"\\" + openRails;
            for (const std::wstring& name : filesOf(route, relative, activitiesPath + L"\\" + openRails,
                                                    {L".TIMETABLE-OR", L".TIMETABLE_OR"}))
                files.push_back({route, routePath, relative + L"\\" + name, activitiesPath + L"\\" + openRails + L"\\" + name, true});
        }
        return files;
    }

    void noteUnlisted(const std::wstring& route, const std::wstring& relative) {
        if (unlisted_.insert(fileSystemUpper(route + L"|" + relative)).second)
            result_.unreadable.push_back({route, relative, RouteUnreadableReason::Unlisted});
    }

    // The file's flattened text (into text_); false, with the file named as
    // unreadable, when it could not be read or decoded.
    bool read(const std::wstring& route, const std::wstring& relative, const std::wstring& path, bool flatten) {
        if (readWholeFileOrCode(path, bytes_) != 0) {
            result_.unreadable.push_back({route, relative, RouteUnreadableReason::Unreadable});
            return false;
        }
        ++result_.filesRead;
        if (!flatten) return true;
        if (!flattenSimulatorText(bytes_, text_)) {
            result_.unreadable.push_back({route, relative, RouteUnreadableReason::Undecodable});
            return false;
        }
        return true;
    }

    // Present, absent, or unknown (its folder could not be listed: named as unreadable).
    PathState state(const std::wstring& path, const std::wstring& route, const std::wstring& folderRelative) {
        const PathState s = cache_.fileState(path);
        if (s == PathState::Unknown) noteUnlisted(route, folderRelative);
        return s;
    }

    struct Need {
        BrokenRun& run;
        std::unordered_set<std::wstring> seen; // kind, name and via of each piece already listed
        std::unordered_set<std::wstring> consistsSeen; // each consist and via whose lacks are listed
        void add(RouteNeedKind kind, const std::wstring& name, const std::wstring& via, bool stops) {
            if (stops) run.starts = false;
            const std::wstring key =
                std::to_wstring(static_cast<int>(kind)) + L"|" + fileSystemUpper(name) + L"|" + fileSystemUpper(via);
            if (seen.insert(key).second) run.missing.push_back({kind, name, via});
        }
        // What a consist lacks, once per consist and via (the consist's own list holds each once).
        void addLacks(const std::wstring& consistKey, const ConsistInfo& info, const std::wstring& via) {
            if (!consistsSeen.insert(consistKey + L"|" + fileSystemUpper(via)).second) return;
            for (const std::wstring& ref : info.absentStock) run.missing.push_back({RouteNeedKind::Stock, ref, via});
            for (const std::wstring& d : info.absentDevices) run.missing.push_back({RouteNeedKind::EndOfTrain, d, via});
        }
    };

    void readActivity(const RouteFile& file) {
        if (!read(file.route, file.relative, file.path, true)) return;
        ++result_.activitiesRead;
        const ActivityEntries entries = activityEntries(text_);
        BrokenRun run{file.route, file.relative, false, true, {}};
        Need need{run, {}, {}};
        if (!entries.playerService.empty()) needService(need, file, entries.playerService, true);
        if (!entries.traffic.empty()) {
            const std::wstring path = joinStockPath(file.routePath + L"\\TRAFFIC", entries.traffic + L".trf");
            if (state(path, file.route, L"TRAFFIC") == PathState::Absent)
                need.add(RouteNeedKind::Traffic, entries.traffic, L"", true);
        }
        for (const std::wstring& service : entries.services) needService(need, file, service, false);
        for (const std::wstring& ref : entries.looseStock) {
            looseStock_.insert(fileSystemUpper(ref));
            if (!in_.stock.contains(ref)) need.add(RouteNeedKind::Stock, ref, L"", false);
        }
        for (const std::wstring& device : entries.looseDevices)
            if (deviceAbsent(device)) need.add(RouteNeedKind::EndOfTrain, device, L"", false);
        if (!run.missing.empty()) result_.broken.push_back(std::move(run));
    }

    // A service the activity names: the player's stops the activity when
    // anything of it is absent; a traffic service only when it or its consist is.
    void needService(Need& need, const RouteFile& file, const std::wstring& name, bool player) {
        const std::wstring path = joinStockPath(file.routePath + L"\\SERVICES", name + L".srv");
        auto& slot = services_[fileSystemUpper(path)];
        if (!slot) {
            slot = std::make_unique<ServiceInfo>();
            ServiceInfo& service = *slot;
            service.state = state(path, file.route, L"SERVICES");
            const std::wstring relative = L"SERVICES\\" + path.substr(path.find_last_of(L'\\') + 1);
            if (service.state == PathState::Present && read(file.route, relative, path, true)) {
                service.read = true;
                service.entries = serviceEntries(text_);
                if (!service.entries.consist.empty()) service.consist = resolveConsist(service.entries.consist + L".con");
                if (!service.entries.path.empty())
                    service.path = state(joinStockPath(file.routePath + L"\\PATHS", service.entries.path + L".pat"),
                                         file.route, L"PATHS");
            }
        }
        const ServiceInfo& service = *slot;
        if (service.state == PathState::Absent) need.add(RouteNeedKind::Service, name, L"", true);
        if (!service.read) return;
        if (!service.entries.consist.empty()) applyConsist(need, service.consist, service.entries.consist, name, true);
        if (service.path == PathState::Absent) need.add(RouteNeedKind::Path, service.entries.path, name, player);
    }

    void applyConsist(Need& need, const ConsistNeed& c, const std::wstring& name, const std::wstring& via, bool stops) {
        if (c.state == PathState::Absent) need.add(RouteNeedKind::Consist, name, via, stops);
        if (c.info) need.addLacks(c.key, *c.info, name);
    }

    // The consist of that file name: played from now on, read once, what it lacks found once.
    ConsistNeed resolveConsist(const std::wstring& fileName) {
        ConsistNeed c;
        const std::wstring path = joinStockPath(consists_, fileName);
        c.key = fileSystemUpper(path);
        played_.insert(c.key);
        c.state = state(path, L"", L"TRAINS\\CONSISTS");
        if (c.state != PathState::Present) return c;
        c.info = consist(path, c.key, fileName);
        if (!c.info || c.info->played) return c;
        c.info->played = true;
        // Thousands of consists share their vehicles: each reference is looked
        // up in the stock once per run, and a consist lists each absent one once.
        std::vector<const std::wstring*> seen;
        for (const std::wstring& ref : c.info->references) {
            auto [at, added] = playedStock_.try_emplace(fileSystemUpper(ref), false);
            if (added) at->second = in_.stock.contains(ref);
            if (at->second || std::find(seen.begin(), seen.end(), &at->first) != seen.end()) continue;
            seen.push_back(&at->first);
            c.info->absentStock.push_back(ref);
        }
        std::unordered_set<std::wstring> once;
        for (const std::wstring& device : c.info->devices)
            if (once.insert(fileSystemUpper(device)).second && deviceAbsent(device)) c.info->absentDevices.push_back(device);
        return c;
    }

    // The consist, read the first time it is asked for; null when it could not be read.
    ConsistInfo* consist(const std::wstring& path, const std::wstring& key, const std::wstring& fileName) {
        auto& slot = consistInfo_[key];
        if (slot) return slot->read ? slot.get() : nullptr;
        slot = std::make_unique<ConsistInfo>();
        // Step 3 lists the consists by file name only: a name with a folder in it is read.
        const ConsistsRead::Consist* known = in_.consistsRead && fileName.find_first_of(L"\\/") == std::wstring::npos
                                                 ? in_.consistsRead->find(fileName)
                                                 : nullptr;
        if (known) {
            slot->read = true;
            slot->references.reserve(known->references.size());
            for (std::uint32_t i : known->references) slot->references.push_back(in_.consistsRead->text(i));
            for (std::uint32_t i : known->devices) slot->devices.push_back(in_.consistsRead->text(i));
            return slot.get();
        }
        const std::wstring relative = relativeToRoot(shownPath(path), shownPath(simulator_) + L"\\");
        if (!read(L"", relative, path, true)) return nullptr;
        slot->read = true;
        slot->references = consistReferences(text_);
        slot->devices = endOfTrainDevices(text_);
        return slot.get();
    }

    bool deviceAbsent(const std::wstring& device) {
        return state(joinStockPath(devices_, device), L"", L"TRAINS\\ORTS_EOT") == PathState::Absent;
    }

    void readTimetableFile(const RouteFile& file) {
        if (!read(file.route, file.relative, file.path, false)) return;
        const Timetable table = readTimetable(decodeSimulatorText(bytes_));
        if (!table.readable) {
            result_.unreadable.push_back({file.route, file.relative, RouteUnreadableReason::NotATimetable});
            return;
        }
        ++result_.timetablesRead;
        result_.trainsRead += table.trains.size();
        BrokenRun run{file.route, file.relative, true, true, {}};
        Need need{run, {}, {}};
        for (const TimetableTrain& train : table.trains) {
            for (const std::wstring& name : train.consists)
                applyConsist(need, resolveConsist(withDefaultExtension(name, L".con")), name, train.name, false);
            if (train.path.empty()) continue;
            const std::wstring path = joinStockPath(file.routePath + L"\\PATHS", withDefaultExtension(train.path, L".pat"));
            if (state(path, file.route, L"PATHS") == PathState::Absent)
                need.add(RouteNeedKind::Path, train.path, train.name, false);
        }
        if (!run.missing.empty()) result_.broken.push_back(std::move(run));
    }

    const RouteCheckInputs& in_;
    const std::wstring simulator_, consists_, devices_;
    ListingCache cache_;
    RouteCheckResult result_;
    std::unordered_map<std::wstring, std::unique_ptr<ServiceInfo>> services_;
    std::unordered_map<std::wstring, std::unique_ptr<ConsistInfo>> consistInfo_;
    std::unordered_set<std::wstring> played_, looseStock_, unlisted_;
    std::unordered_map<std::wstring, bool> playedStock_; // each played consist's references: whether on disk
    std::vector<unsigned char> bytes_; // kept across files
    std::wstring text_;
};
} // namespace

RouteCheckResult checkRoutes(const RouteCheckInputs& inputs,
                             const std::function<void(std::size_t, std::size_t)>& progress) {
    return RouteRun(inputs).run(progress);
}

} // namespace tw
