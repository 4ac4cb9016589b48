#pragma once
// Push buttons that show a small picture beside their caption (the yes, no,
// close and help kinds, the language buttons).
#include "platform/Window.h"
#include "widgets/Picture.h"
#include "widgets/OffscreenImage.h"

#include <windows.h>

#include <functional>
#include <string>

namespace tw {

enum class ButtonPicture {
    Yes,    // green check mark
    No,     // red cross
    Close,  // door
    Help,   // question mark
};

// 16 x 16 pictures with a lime background.
Picture buttonPicture(ButtonPicture which);

enum class PictureSide { Left, Right };

struct PictureButtonLook {
    Picture picture;          // none when empty
    PictureSide side = PictureSide::Left;
    int spacing = 4;          // pixels between picture and caption
};

// What one drawing of a button shows besides its look.
struct PictureButtonState {
    std::wstring caption;     // with its accelerator "&"
    HFONT font = nullptr;     // nullptr: the system's GUI font
    bool pressed = false, focused = false, disabled = false;
    bool isDefault = false;   // drawn with the dark default-button frame
};

// Face, frame, picture and caption (accelerator underlined) of a button of
// the image's size, pressed and focus states included.
void renderPictureButton(const PictureButtonLook& look, const PictureButtonState& state, Image& img);

// An owner-drawn BUTTON control that draws itself: its parent's WM_DRAWITEM
// (for WM_PAINT, WM_PRINTCLIENT and state changes alike) comes back to it and
// goes through renderPictureButton.
class PictureButton {
public:
    explicit PictureButton(Picture picture = {}, PictureSide side = PictureSide::Left, int spacing = 4);

    // Creates the button: child, tab stop, plus extraStyle (visible by default).
    HWND create(HWND parent, int id, const std::wstring& caption, int x, int y, int width, int height, HFONT font,
                DWORD extraStyle = WS_VISIBLE);
    HWND hwnd() const noexcept { return drawn_.hwnd(); }
    const PictureButtonLook& look() const noexcept { return look_; }
    // Asked at each drawing whether the button wears the default-button frame.
    void setDefaultFrame(std::function<bool()> framed) { framed_ = std::move(framed); }

private:
    void draw(const DRAWITEMSTRUCT& item);
    PictureButtonLook look_;
    std::function<bool()> framed_;
    OwnerDrawn drawn_;
    Image image_;
};

// Enter reaches a window as its OK command: when the focused control is one of
// its enabled picture buttons, that button is pressed. True when one was.
bool pressFocusedPictureButton(HWND parent);

} // namespace tw
