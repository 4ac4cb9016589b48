#include "ui/OpenRailsMenu.h"

#include "text/LanguageTable.h"

namespace tw {

namespace {
// The system's own commands begin at SC_SIZE (0xF000).
constexpr size_t kMaxItems = (SC_SIZE - OpenRailsMenu::kFirstCommand) / OpenRailsMenu::kCommandStep;

// A menu takes "&" for the underlined letter: the names and folders show theirs as typed.
std::wstring menuText(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'&') out += L'&';
        out += c;
    }
    return out;
}
} // namespace

void OpenRailsMenu::attach(HMENU systemMenu, UINT beforeCommand, std::vector<OpenRailsProfile> profiles, int language) {
    if (!systemMenu || profiles.empty()) return;
    if (profiles.size() > kMaxItems) profiles.resize(kMaxItems);
    HMENU popup = CreatePopupMenu();
    if (!popup) return;
    for (size_t i = 0; i < profiles.size(); ++i) {
        const std::wstring item = menuText(profiles[i].name) + L" \u2014 " + menuText(profiles[i].folder);
        AppendMenuW(popup, MF_STRING, kFirstCommand + i * kCommandStep, item.c_str());
    }
    const std::wstring label = text(TextKey::OpenRailsFoldersMenu, language);
    if (!InsertMenuW(systemMenu, beforeCommand, MF_BYCOMMAND | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
                     label.c_str())) {
        DestroyMenu(popup);
        return;
    }
    submenu_ = popup;
    profiles_ = std::move(profiles);
}

int OpenRailsMenu::position(HMENU systemMenu) const {
    if (!submenu_ || !systemMenu) return -1;
    const int count = GetMenuItemCount(systemMenu);
    for (int i = 0; i < count; ++i)
        if (GetSubMenu(systemMenu, i) == submenu_) return i;
    return -1;
}

void OpenRailsMenu::relabel(HMENU systemMenu, int language) const {
    const int at = position(systemMenu);
    if (at < 0) return;
    const std::wstring label = text(TextKey::OpenRailsFoldersMenu, language);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(label.c_str());
    SetMenuItemInfoW(systemMenu, static_cast<UINT>(at), TRUE, &info);
}

void OpenRailsMenu::setEnabled(HMENU systemMenu, bool enabled) const {
    const int at = position(systemMenu);
    if (at >= 0) EnableMenuItem(systemMenu, static_cast<UINT>(at), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
}

std::optional<std::wstring> OpenRailsMenu::folderOf(UINT command) const {
    if (command < kFirstCommand || (command - kFirstCommand) % kCommandStep != 0) return std::nullopt;
    const size_t index = (command - kFirstCommand) / kCommandStep;
    if (index >= profiles_.size()) return std::nullopt;
    return profiles_[index].folder;
}

} // namespace tw
