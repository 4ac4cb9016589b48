#pragma once
// The system menu's submenu of Open Rails' installation profiles, one item
// "NAME — FOLDER" per profile, inserted above a given item; absent without
// profiles. Its items' commands come as WM_SYSCOMMAND (low four bits the
// system's) or, from a submenu the system does not count as its own, as
// WM_COMMAND: folderOf answers both.
#include "config/OpenRailsProfiles.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tw {

class OpenRailsMenu {
public:
    static constexpr UINT kFirstCommand = 0x1000;
    static constexpr UINT kCommandStep = 0x10;

    void attach(HMENU systemMenu, UINT beforeCommand, std::vector<OpenRailsProfile> profiles, int language);
    void relabel(HMENU systemMenu, int language) const;
    void setEnabled(HMENU systemMenu, bool enabled) const;
    // The folder a command of the submenu stands for.
    std::optional<std::wstring> folderOf(UINT command) const;
    HMENU submenu() const { return submenu_; }

private:
    int position(HMENU systemMenu) const; // -1: not in the menu

    HMENU submenu_ = nullptr; // owned by the system menu once inserted
    std::vector<OpenRailsProfile> profiles_;
};

} // namespace tw
