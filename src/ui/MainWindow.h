#pragma once
// The main window: the instrument panel of folders, steps, counters and report
// buttons. It owns the analysis controller and the folder scanner and routes
// every user action to them. Its controls stand as mainLayout() places them;
// what the analysis shows goes through AnalysisDisplay.
#include "analysis/AnalysisController.h"
#include "platform/Handle.h"
#include "platform/Window.h"
#include "scan/FolderScanner.h"
#include "ui/AnalysisDisplay.h"
#include "ui/Flags.h"
#include "ui/OpenRailsMenu.h"
#include "widgets/PictureButton.h"
#include "widgets/FolderEdit.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tw {

class HelpWindow;
class ResultsWindow;
enum class ReportKind;

struct ControlRow;

class MainWindow : public Window, public AnalysisInputs {
public:
    static constexpr int kWidth = 561;
    static constexpr int kHeight = 353;

    // Control ids of the standard controls.
    enum Id : int {
        IdStoreCheck = 100, IdConsistsReport, IdStockReport, IdReferencesReport, IdOrphansReport, IdMissingReport,
        IdEnglish, IdFrench, IdHelp, IdConfig, IdExit,
        IdSimulatorBox, IdStoreBox,
        IdFirstStep = 200, IdFirstCounter = 300, IdGauge = 320,
    };

    // The system menu's "read activities" item (WM_SYSCOMMAND: low four bits
    // free for the system, below the system's own commands).
    static constexpr UINT kSysActivities = 0x0A10;
    // The system menu's stock check command, below the activities item.
    static constexpr UINT kSysCheck = 0x0A20;
    // The system menu's route check command, below the stock check's.
    static constexpr UINT kSysRoutes = 0x0A30;

    // Where the start-up values come from; the program passes the real ones,
    // tests their own.
    struct Environment {
        std::wstring settingsPath;                       // the .INI file
        std::optional<std::wstring> simulatorFolder;     // nullopt: key absent
        std::optional<std::wstring> trainStoreFolder;    // nullopt: key absent
        std::vector<OpenRailsProfile> openRailsProfiles; // the first stands in for an absent simulator key
        RECT workArea{0, 0, 0, 0};                       // empty: the system's
        // Shows the start-up warning modally; empty: the real dialog.
        std::function<void(MainWindow&)> showWarning;
    };

    explicit MainWindow(Environment env);
    ~MainWindow() override;

    bool createWindow();
    void setHelpWindow(HelpWindow* help) { help_ = help; }
    void setResultsWindow(ResultsWindow* results) { results_ = results; }

    // Window events.
    void onCreate();
    void onShow();
    void onActivate();
    void saveSettingsOnClose();

    void localize(int language);
    void onFrench();
    void onEnglish();
    void onFolderChanged(FolderEdit& box);
    void onStoreBoxClick();
    void onActivitiesMenu(); // the system menu's activities item: toggles the option
    void onCheckMenu();      // runs the stock check and shows its report
    void onRoutesMenu();     // runs the route check and shows its report
    bool checkCommandEnabled() const;
    void onOpenRailsMenu(const std::wstring& folder); // as if the folder were typed into the simulator box
    void onHelp();
    void onConsistsReport();
    void onStockReport();
    void onOrphansReport();
    void onMissingReport();
    void onReferencesReport();


    AnalysisController& controller() { return controller_; }
    AnalysisDisplay& display() { return display_; }
    FolderEdit& simulatorBox() { return simulatorBox_; }
    FolderEdit& storeBox() { return storeBox_; }
    HWND control(int id) const;
    HWND label(int index) const { return labels_[index]; } // in creation order: the simulator folder's label, then the labels beside the counters
    HWND groupBox(int index) const { return groups_[index]; }
    bool closePending() const { return closePending_; }
    void setReadActivities(bool read);

    // AnalysisInputs
    std::wstring simulatorFolder() const override;
    std::wstring trainStoreFolder() const override;
    bool includeTrainStore() const override;
    int languageId() const override;
    bool includeActivities() const override { return readActivities_; }

protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void onCommand(int id, int code, HWND control) override;
    void onClose() override;
    HWND firstFocus() const override;

private:
    void createControls();
    HWND createControl(const ControlRow& row, HFONT font);
    PictureButton* pictureButton(int id);
    void setLabelText(HWND label, const std::wstring& text);
    void dropTrailingBackslashes(FolderEdit& box);
    void runStep(const std::function<void()>& step);
    void buildAndShow(ReportKind kind, const StockSet& items, Counter count);
    void buildAndShow(ReportKind kind, const std::vector<std::wstring>& items, Counter count);
    void addActivitiesMenuItem();
    void updateCheckMenuItem();

    Environment env_;
    FolderScanner scanner_;
    AnalysisDisplay display_;
    AnalysisController controller_;
    HelpWindow* help_ = nullptr;
    ResultsWindow* results_ = nullptr;

    FolderEdit simulatorBox_, storeBox_;
    std::vector<HWND> handles_;   // one per layout row
    std::array<HWND, 3> groups_{};
    std::array<HWND, 8> labels_{};

    UniqueFont font_, boldFont_, counterLabelBold_, counterLabel_;
    PictureButton englishButton_{flagPicture(FlagPicture::EnglishBadges), PictureSide::Left, 5};
    PictureButton frenchButton_{flagPicture(FlagPicture::FrenchBadges), PictureSide::Left, 5};
    PictureButton helpButton_{buttonPicture(ButtonPicture::Help), PictureSide::Right, 5};
    PictureButton exitButton_{buttonPicture(ButtonPicture::Close), PictureSide::Right, 5};
    std::array<PictureButton, 5> reportButtons_;   // consists, stock, references, orphans, missing
    PictureButton configButton_;
    OpenRailsMenu openRailsMenu_;

    bool readActivities_ = false;
    bool firstActivationDone_ = false;
    bool inFirstActivation_ = false;
    bool closePending_ = false;
};

} // namespace tw
