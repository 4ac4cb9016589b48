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

// What a picture button is created with; its picture is the object's own.
struct PictureButtonArgs {
    HWND parent = nullptr;
    int x = 0, y = 0, width = 75, height = 25;
    int id = 0;
    std::wstring caption{};
    HFONT font = nullptr;            // not owned; nullptr: the system's GUI font
    DWORD style = WS_VISIBLE;        // added to a child tab stop
    // Asked at each drawing whether the button wears the default-button frame.
    std::function<bool()> defaultFrame{};
};

// An owner-drawn BUTTON control that draws itself: its parent's WM_DRAWITEM
// (for WM_PAINT, WM_PRINTCLIENT and state changes alike) comes back to it and
// goes through renderPictureButton.
class PictureButton {
public:
    explicit PictureButton(Picture picture = {}, PictureSide side = PictureSide::Left, int spacing = 4);

    HWND create(const PictureButtonArgs& args);
    HWND hwnd() const noexcept { return drawn_.hwnd(); }

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
