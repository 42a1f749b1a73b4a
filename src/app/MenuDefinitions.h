#pragma once

#include <span>

// The texts and ids of the window's menus and toolbar, kept apart from the
// widgets so that the automation status and tests can walk them.
struct MenuEntry {
    // 0 marks a separator.
    int id;
    const char* text;
};

class MenuDefinitions {
public:
    // Menu bar 155: the items of its one popup "系统".
    static constexpr const char* kSystemMenuTitle = "系统";
    static std::span<const MenuEntry> SystemMenu();
    // Popup 184 of the full-picture view.
    static std::span<const MenuEntry> FullPicturePopup();
    // Tray menu 141.
    static std::span<const MenuEntry> TrayMenu();
    // Toolbar 166 in button order; the text is the tooltip (empty: none).
    static std::span<const MenuEntry> Toolbar();
};
