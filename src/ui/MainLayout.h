#pragma once
// Where each control of the main window stands: one row per control, in
// creation order, which is also the keyboard order (the group frames, last,
// go to the bottom of the z-order once created). MainWindow builds its
// controls from these rows and sets the captions they name.
#include "text/LanguageTable.h"

#include <windows.h>

#include <optional>
#include <span>

namespace tw {

enum class ControlKind {
    FolderBox,      // a folder box with its browse button
    CheckBox,
    StepButton,     // a step's LED button
    RunAllButton,
    Button,         // a picture button (some without a picture)
    Counter,
    FolderCounter,  // the folders counter, in the results group
    Gauge,
    Label,          // sized to its text
    GroupBox,
};

enum class FontRole { Normal, Bold, CounterLabel, CounterLabelBold };

struct ControlRow {
    ControlKind kind;
    int id;                          // 0 for labels and group frames
    int x, y, width, height;
    DWORD style;                     // standard controls and buttons; the painted ones have their own
    FontRole font;
    const wchar_t* text;             // as created
    std::optional<TextKey> caption;  // the text that follows the interface language
};

std::span<const ControlRow> mainLayout();

} // namespace tw
