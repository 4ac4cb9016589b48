#pragma once
// Push buttons that show a small picture beside their caption (the yes, no,
// close and help kinds, the language buttons). They are owner-drawn BUTTON
// controls: the parent forwards WM_DRAWITEM to drawPictureButton.
#include "widgets/Picture.h"

#include <windows.h>

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
    const Picture* picture = nullptr;
    PictureSide side = PictureSide::Left;
    int spacing = 4;          // pixels between picture and caption
    bool isDefault = false;   // drawn with the dark default-button frame
};

// Creates the owner-drawn button (child, tab stop, visible unless told otherwise).
HWND createPictureButton(HWND parent, int id, const std::wstring& caption, int x, int y, int width, int height,
                         bool visible = true);

// Paints one button from its DRAWITEMSTRUCT: face, frame, picture and caption
// (accelerator underlined), pressed and focus states.
void drawPictureButton(const DRAWITEMSTRUCT& item, const PictureButtonLook& look);

// Enter reaches a window as its OK command: when the focused control is one of
// its enabled picture buttons, that button is pressed. True when one was.
bool pressFocusedPictureButton(HWND parent);

} // namespace tw
