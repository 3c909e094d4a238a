#pragma once

#include <string>
#include <vector>

namespace halcyx {

// The menu resources of the four modes, one per row of the menu table.
enum class MenuId { Config, Acq, AcqCT, AcqP, TowAcq, ModAcq };

// One entry of a menu bar or popup: a command, a separator or a popup with entries.
struct MenuItem {
    enum class Kind { Command, Separator, Popup };
    Kind kind = Kind::Command;
    std::string text;            // with '&' before the accelerator letter
    int command = 0;             // Command only
    std::vector<MenuItem> items; // Popup only

    bool operator==(const MenuItem&) const = default;
};

// A fresh copy of a menu resource: its top-level entries in menu-bar order (popups, and
// the configuration menu's one top-level command). Callers may remove entries from their
// copy; the next call hands out the full menu again.
std::vector<MenuItem> menuResource(MenuId id);

// The resource name, e.g. "CONFIG_MENU".
const char* menuName(MenuId id);

// Removes every entry with this command from the menu and its popups. True if any went.
bool removeCommand(std::vector<MenuItem>& menu, int command);

// The entry with this command, searched through all popups; nullptr when there is none.
const MenuItem* findCommand(const std::vector<MenuItem>& menu, int command);

} // namespace halcyx
