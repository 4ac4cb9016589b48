#pragma once
// Single-line folder box with a browse button built into its right end.
#include "platform/Window.h"
#include "widgets/Palette.h"
#include <optional>
#include <string>

namespace tw {

// Opens a modal folder chooser at startFolder; nullopt = cancelled.
using FolderChooser = std::function<std::optional<std::wstring>(HWND owner, const std::wstring& startFolder)>;

// What a folder box is created with.
struct FolderEditArgs {
    HWND parent = nullptr;
    int x = 0, y = 0, width = 121, height = 21;
    int id = 0;
    HFONT font = nullptr;            // not owned; nullptr: the program's widget font
    std::wstring initialFolder{};    // where the chooser opens while the box names no folder
    bool readOnly = false;           // neither typing nor the browse button changes the text
    bool autoSelect = true;          // the focus arriving other than by a click selects the whole text
    std::function<void()> onChange{}, onEditEnd{};
    FolderChooser chooser{};         // empty: the system's
};

class FolderEdit : public Window {
public:
    FolderEdit();
    ~FolderEdit() override;
    bool create(const FolderEditArgs& args);

    std::wstring content() const;
    void setText(const std::wstring& text);
    const std::wstring& initialFolder() const { return initialDir_; }
    void setInitialFolder(const std::wstring& dir) { initialDir_ = dir; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool v);
    void setFont(HFONT f);

    std::function<void()> onChange;
    // The user is done with the text: the box lost the focus, or Enter was pressed.
    std::function<void()> onEditEnd;
    // True while onChange runs for a change made by the user's typing, pasting
    // or cutting; false for a text set by the program or the browse button.
    bool typing() const { return typing_ > 0; }
    FolderChooser chooser;

    // Runs the click sequence (the button, Alt+Down and program calls).
    void buttonClick();
    HWND editHandle() const { return edit_; }
    HWND buttonHandle() const { return button_; }

protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void onCommand(int id, int code, HWND control) override;

private:
    static LRESULT CALLBACK editProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);
    LRESULT editMessage(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    void layout();

    HWND edit_ = nullptr, button_ = nullptr;
    std::wstring initialDir_;
    bool enabled_ = true, readOnly_ = false, autoSelect_ = true;
    int quiet_ = 0; // our own SetWindowText: its EN_CHANGE is not a second change
    int typing_ = 0;
    HFONT font_ = nullptr;
    OwnerDrawn buttonDrawing_;
    Image buttonImage_;
};

} // namespace tw
