// Step 3: every consist (and, when asked, every activity) read once for the
// stock it names.
#include "analysis/AnalysisController.h"

#include "analysis/ConsistReader.h"
#include "analysis/EndOfTrainReader.h"
#include "platform/Files.h"
#include "platform/Text.h"

#include <vector>

namespace tw {

bool AnalysisController::stepReferences() {
    references_.clear();
    consistsRead_.clear();
    resetCounter(Counter::References, colours::Fuchsia);
    activitiesRead_ = false;
    allConsistsRead_ = false;
    activityFiles_.clear();
    unreadableByReading_.clear();
    // The window runs between files: an edit of the boxes or of the option
    // meanwhile must not change what the rest of the step reads.
    const std::wstring simulatorFolder = inputs_.simulatorFolder();
    const bool includeTrainStore = inputs_.includeTrainStore();
    const std::wstring trainStoreFolder = inputs_.trainStoreFolder();
    const bool withActivities = inputs_.includeActivities();
    analysed_.activities = withActivities;
    // Shown as the user gave them; read through their extended forms, the
    // names appended exactly as step 1 listed them ("NUL.con" is a file there).
    const std::wstring simulatorConsists = simulatorFolder + L"\\TRAINS\\CONSISTS\\";
    const std::wstring trainStoreConsists = trainStoreFolder + L"\\TRAINS\\CONSISTS\\";
    const std::wstring simulatorConsistsSystem = extendedPath(simulatorFolder + kConsistsBelow) + L"\\";
    const std::wstring trainStoreConsistsSystem =
        includeTrainStore ? extendedPath(trainStoreFolder + kConsistsBelow) + L"\\" : std::wstring();
    // The activities are listed before the consists are read: the gauge runs over both.
    std::vector<ActivityFile> activities;
    if (withActivities) {
        ListingCache listings;
        activities = findActivityFiles(simulatorFolder, unreadableByReading_, listings);
        if (includeTrainStore) {
            auto store = findActivityFiles(trainStoreFolder, unreadableByReading_, listings);
            activities.insert(activities.end(), store.begin(), store.end());
        }
    }
    startGauge(consists_.size() + activities.size());

    bool stopped = false;
    int index = 0;
    // Kept across consists: one large block per file each time would fragment the heap.
    std::vector<unsigned char> bytes;
    std::wstring text;
    for (const std::wstring& name : consists_) {
        view_.setGaugePosition(index++);
        // Each copy is opened once: the open itself tells whether it is there.
        std::wstring path = simulatorConsists + name;
        bool found = readWholeFileIfPresent(simulatorConsistsSystem + name, bytes);
        const bool ofSimulator = found;
        if (!found && includeTrainStore) {
            path = trainStoreConsists + name;
            found = readWholeFileIfPresent(trainStoreConsistsSystem + name, bytes);
        }
        if (!found) {
            view_.showMessage(consistNotFoundMessage(path), MessageBoxKind::Error);
            stopped = true;
            break;
        }
        if (!addReferences(bytes, text, ofSimulator ? &name : nullptr)) {
            view_.showMessage(kMsgUnicodeDecoding, MessageBoxKind::Plain);
            continue;
        }
        // Reading files is the slow part: keep the window live between consists.
        view_.processPendingMessages();
    }
    if (withActivities) readActivityFiles(activities, consists_.size());

    allConsistsRead_ = !stopped;
    markDone(StepButton::References);
    view_.setButtonEnabled(StepButton::Orphans, true);
    view_.setButtonEnabled(StepButton::Missing, true);
    return true;
}

// One file's vehicle entries into the references set; false, with nothing
// added, when the file is not 16-bit Unicode text. text is a buffer the caller
// keeps between files. A consist of the simulator folder (named by its file
// name) is kept for the route check, which then reads it no more.
bool AnalysisController::addReferences(const std::vector<unsigned char>& bytes, std::wstring& text,
                                       const std::wstring* consistOfSimulator) {
    if (!flattenConsist(bytes, text)) return false;
    const std::vector<std::wstring> refs = consistReferences(text);
    for (const std::wstring& ref : refs) {
        references_.add(ref);
        setCounter(Counter::References, references_.size());
    }
    if (consistOfSimulator) consistsRead_.add(*consistOfSimulator, refs, endOfTrainDevices(text));
    return true;
}

// The loose consists of activities name their vehicles with the consists'
// own entries, so the consist reader reads them unchanged.
void AnalysisController::readActivityFiles(const std::vector<ActivityFile>& files, std::size_t firstGaugeIndex) {
    activitiesRead_ = true;
    std::vector<unsigned char> bytes;
    std::wstring text;
    std::size_t index = firstGaugeIndex;
    for (const ActivityFile& file : files) {
        view_.setGaugePosition(static_cast<int>(index++));
        readWholeFile(file.systemPath, bytes);
        activityFiles_.push_back(file.relative);
        if (!addReferences(bytes, text)) {
            view_.showMessage(activityDecodingMessage(file.path), MessageBoxKind::Plain);
            continue;
        }
        view_.processPendingMessages();
    }
}

} // namespace tw
