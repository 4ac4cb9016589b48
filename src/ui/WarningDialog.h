#pragma once
// The start-up disclaimer: a borderless pale-yellow dialog with a French and an
// English panel. Shown modally once; accept sets the program's language (and,
// with the box checked, records that it is not to be shown again); refuse ends
// the program.
#include "platform/Handle.h"
#include "platform/Window.h"
#include "ui/Flags.h"
#include "widgets/PictureButton.h"
#include "widgets/BevelPanel.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tw {

class WarningDialog : public Window {
public:
    // What the dialog needs from the rest of the program.
    struct Callbacks {
        // True when the interface is English (the main window offers Français).
        std::function<bool()> interfaceIsEnglish;
        // The main window's language handlers.
        std::function<void()> mainFrenchClick;
        std::function<void()> mainEnglishClick;
        // Writes "Warning" = 0 then "Language" = language into the settings
        // file; throws AppError when the file cannot be written.
        std::function<void(int language)> writeNoWarning;
        // Ends the application; defaults to PostQuitMessage(0).
        std::function<void()> requestTermination;
    };

    // Control ids (children of the dialog).
    enum Id : int {
        IdFrenchNoWarning = 201, IdEnglish, IdFrenchYes, IdFrenchNo,
        IdEnglishNoWarning = 211, IdFrench, IdYes, IdNo,
        IdFrenchStrip = 301, IdEnglishStrip = 311,
    };

    static constexpr int kClientWidth = 461;
    static constexpr int kClientHeight = 286;

    explicit WarningDialog(Callbacks callbacks);
    ~WarningDialog() override;

    // Creates the dialog, hidden, without owner.
    bool createWindow();

    // Shows it, disables the program's other windows and runs a message loop
    // until the dialog closes or WM_QUIT arrives (which is posted again).
    void showModal();

    HWND control(int id) const;
    bool englishPanelVisible() const;
    bool closed() const { return closed_; }

protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void onCommand(int id, int code, HWND control) override;
    void onClose() override;

private:
    void onActivate();
    void onFrench();     // panel switch to French
    void onEnglish();    // panel switch to English
    void showPanel(bool french);
    void accept(bool french);
    void refuse();
    void close();
    void createPanel(BevelPanel& panel, bool french);
    void renderStrip(bool french, Image& img) const;
    void paintBorder();
    void clickButton(int id);
    bool handleDialogKey(const MSG& msg);
    bool focusOnButton() const;
    int defaultButtonId() const;
    int cancelButtonId() const;

    Callbacks callbacks_;
    bool french_ = true;
    bool closed_ = false;
    bool activated_ = false;
    bool defaultFramed_ = true;   // as the default button was last drawn
    BevelPanel frenchPanel_, englishPanel_;
    std::vector<std::pair<HWND, COLORREF>> labelColours_;
    UniqueFont font_, bold_, title_;
    UniqueBrush yellowBrush_;
    std::vector<std::unique_ptr<PictureButton>> buttons_;   // the panels' picture buttons
    OwnerDrawn frenchStrip_, englishStrip_;
    Image stripImage_;
};

} // namespace tw
