#pragma once
// What the analysis controller drives and reads. The main window implements
// both interfaces with its controls; the command-line tool and the tests with
// plain objects. No window header here.
#include "platform/Colour.h"

#include <string>

namespace tw {

enum class StepButton { Consists, Materiel, Lst, Orp, Man, Go };
enum class ReportButton { Con, Mat, Orp, Man };
enum class Counter { Con, Eng, Wag, Mat, Lst, Orp, Per, Man, Dir };

enum class MessageBoxKind { Warning, Error, Plain };

class AnalysisView {
public:
    virtual ~AnalysisView() = default;

    virtual void setButtonEnabled(StepButton b, bool enabled) = 0;
    virtual bool buttonEnabled(StepButton b) const = 0;
    virtual void setButtonActive(StepButton b, bool active) = 0;
    virtual bool buttonActive(StepButton b) const = 0;
    // LED colour of B_Consists and B_Materiel while active (Palette.High).
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
    virtual void setCounterColour(Counter c, Colour colour) = 0;
    virtual Colour counterColour(Counter c) const = 0;

    // A modal box with one OK button.
    virtual void showMessage(const std::wstring& text, MessageBoxKind kind) = 0;

    // Lets pending user-interface messages run (the window's pump; a no-op headless).
    virtual void processPendingMessages() = 0;
};

// The four inputs, read at the moment a step needs them.
class AnalysisInputs {
public:
    virtual ~AnalysisInputs() = default;
    virtual std::wstring simulatorFolder() const = 0; // E_MSTS text
    virtual std::wstring trainStoreFolder() const = 0; // E_TS text
    virtual bool includeTrainStore() const = 0;        // CB_TS checked
    virtual int languageId() const = 0;                // 0 French, 1 English (anything but 1 is French)
    // Whether step 3 also reads the activities' loose consists; off unless asked for.
    virtual bool includeActivities() const { return false; }
};

} // namespace tw
