#pragma once
// Single-line folder box with a browse button built into its right end.
#include "platform/Window.h"
#include "widgets/Palette.h"
#include <optional>
#include <string>

namespace tw {

class FolderEdit : public Window {
public:
    // Opens a modal folder chooser at startFolder; nullopt = cancelled.
    using FolderChooser = std::function<std::optional<std::wstring>(HWND owner, const std::wstring& startFolder)>;
    // The system's folder chooser titled "Select Directory".
    static std::optional<std::wstring> systemFolderChooser(HWND owner, const std::wstring& startFolder);

    FolderEdit();
    ~FolderEdit() override;
    bool create(HWND parent, int x, int y, int width = 121, int height = 21, int id = 0);

    std::wstring content() const;
    void setText(const std::wstring& text);
    const std::wstring& initialFolder() const { return initialDir_; }
    void setInitialFolder(const std::wstring& dir) { initialDir_ = dir; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool v);
    bool ReadOnly() const { return readOnly_; }
    void setReadOnly(bool v);
    bool DirectInput() const { return directInput_; }
    void setDirectInput(bool v);
    bool AutoSelect() const { return autoSelect_; }
    void setAutoSelect(bool v) { autoSelect_ = v; }
    bool MultipleDirs() const { return multipleDirs_; }
    void setMultipleDirs(bool v) { multipleDirs_ = v; }
    int ButtonWidth() const { return buttonWidth_; }
    void setButtonWidth(int v);
    void setFont(HFONT f);

    std::function<void()> onChange, onButtonClick;
    // The user is done with the text: the box lost the focus, or Enter was pressed.
    std::function<void()> onEditEnd;
    // True while onChange runs for a change made by the user's typing, pasting
    // or cutting; false for a text set by the program or the browse button.
    bool typing() const { return typing_ > 0; }
    std::function<void(std::wstring& name, bool& action)> OnBeforeDialog, OnAfterDialog;
    FolderChooser chooser;

    // Runs the click sequence (the button, Alt+Down and program calls).
    void buttonClick();
    HWND editHandle() const { return edit_; }
    HWND buttonHandle() const { return button_; }

protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    static LRESULT CALLBACK editProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);
    LRESULT editMessage(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    void layout();
    void applyReadOnly();

    HWND edit_ = nullptr, button_ = nullptr;
    std::wstring initialDir_;
    bool enabled_ = true, readOnly_ = false, directInput_ = true, autoSelect_ = true, multipleDirs_ = false;
    int buttonWidth_ = 21;
    int quiet_ = 0; // our own SetWindowText: its EN_CHANGE is not a second change
    int typing_ = 0;
    HFONT font_ = nullptr;
    OwnerDrawn buttonDrawing_;
    Image buttonImage_;
};

// The browse button of a size img: push-button frame and the folder glyph.
void renderFolderButton(bool pressed, bool enabled, Image& img);

// True when the path exists with the directory attribute.
bool folderExists(const std::wstring& path);

} // namespace tw
