#pragma once
// What the analysis controller drives and reads. The main window implements
// both interfaces with its controls; the command-line tool and the tests with
// plain objects. No window header here.
#include "platform/Colour.h"

#include <string>

namespace tw {

enum class StepButton { Consists, Stock, References, Orphans, Missing, RunAll };
enum class ReportButton { Consists, Stock, Orphans, Missing };
enum class Counter { Consists, Engines, Wagons, Stock, References, Orphans, Used, Missing, Folders };

enum class MessageBoxKind { Warning, Error, Plain };

class AnalysisView {
public:
    virtual ~AnalysisView() = default;

    virtual void setButtonEnabled(StepButton b, bool enabled) = 0;
    virtual bool buttonEnabled(StepButton b) const = 0;
    virtual void setButtonActive(StepButton b, bool active) = 0;
    virtual bool buttonActive(StepButton b) const = 0;
    // LED colour of the first two step buttons while active (their palette's high colour).
    virtual void setButtonLedColour(StepButton b, Colour c) = 0;

    virtual void setReportEnabled(ReportButton b, bool enabled) = 0;
    virtual void setReportVisible(ReportButton b, bool visible) = 0;

    // The gauge follows its own bound rules: a maximum not above the minimum is ignored.
    virtual void setGaugeMin(int v) = 0;
    virtual void setGaugeMax(int v) = 0;
    virtual void setGaugePosition(int v) = 0;
    virtual void setGaugeVisible(bool visible) = 0;
    virtual void setHelpVisible(bool visible) = 0;

    virtual void setCounterValue(Counter c, int value) = 0;
    virtual int counterValue(Counter c) const = 0;
    // Shown only: the analysis keeps its steps' states itself and never reads a colour back.
    virtual void setCounterColour(Counter c, Colour colour) = 0;

    // A modal box with one OK button.
    virtual void showMessage(const std::wstring& text, MessageBoxKind kind) = 0;

    // Lets pending user-interface messages run (the window's pump; a no-op headless).
    virtual void processPendingMessages() = 0;
};

// The four inputs, read at the moment a step needs them.
class AnalysisInputs {
public:
    virtual ~AnalysisInputs() = default;
    virtual std::wstring simulatorFolder() const = 0; // simulatorBox text
    virtual std::wstring trainStoreFolder() const = 0; // storeBox text
    virtual bool includeTrainStore() const = 0;        // the Train Store box checked
    virtual int languageId() const = 0;                // 0 French, 1 English (anything but 1 is French)
    // Whether step 3 also reads the activities' loose consists; off unless asked for.
    virtual bool includeActivities() const { return false; }
};

} // namespace tw
