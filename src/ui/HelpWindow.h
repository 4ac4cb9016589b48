#pragma once
// The help window: six tab pages of fixed (mostly French) texts. Created visible
// at start-up, hidden by its close button, shown again by the main window's help
// button. Each time it is activated from another window of the program it moves
// back to the centre of the work area and to its first page.
#include "platform/Handle.h"
#include "platform/Window.h"
#include "widgets/PictureButton.h"

#include <memory>
#include <string>
#include <vector>

namespace tw {

class HelpWindow : public Window {
public:
    static constexpr int kClientWidth = 473;
    static constexpr int kClientHeight = 265;
    static constexpr int kPageCount = 6;
    static constexpr int kCloseId = 100;

    HelpWindow();
    ~HelpWindow() override;

    // Creates the window; visible windows appear (and activate) at once.
    bool createWindow(bool visible = true);

    // The main window's help button: show without modality and bring to front.
    void showAndActivate();

    // Caption of the Close button (from the language table).
    void setCloseCaption(const std::wstring& text);

    // What the window shows, for the main window and tests.
    int activePage() const;
    void selectPage(int index);        // as a click on the tab would
    HWND tabControl() const { return tab_; }
    HWND closeButton() const { return close_; }
    HWND pageWindow(int index) const;
    HWND memo(int index) const;        // the page's memo, or nullptr
    std::wstring tabCaption(int index) const;

    // The texts of the pages, exactly as shown.
    static const std::wstring& aboutText();
    static const std::wstring& usageText();
    static const std::wstring& howItWorksText();
    static const std::wstring& historyText();
    static const std::wstring& warningPageText(int label); // 0 the Beta notice, 1 what the program writes, 2 the responsibility notice

protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    // The close button and the frame's close box hide the window.
    void onClose() override;
    void onCommand(int id, int code, HWND control) override;

private:
    class Page;
    void onActivate();
    void createControls();
    void showPage(int index);

    HWND tab_ = nullptr;
    HWND close_ = nullptr;
    std::vector<std::unique_ptr<Page>> pages_;
    UniqueFont font_;       // "MS Sans Serif" 8 points
    UniqueFont memoFont_;   // "MS Sans Serif", 13-pixel height
    UniqueFont boldFont_;
    PictureButton closeButton_;
};

} // namespace tw
