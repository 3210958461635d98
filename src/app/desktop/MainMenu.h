#pragma once
// The main menu as data: every item with its text, nesting, visibility,
// shortcut, what its command does and the mode values (ReportKind, BookMode)
// it sets before the window opens. The main window builds its menu bar from
// this table; tests walk it.
#include <QKeySequence>
#include <QString>
#include <vector>

namespace MainMenu {

// The command leaves ReportKind or BookMode as it was.
inline constexpr int Keep = -1;

enum class Command {
    Submenu,          // not a command: the item opens its children
    Open,             // opens the registered window (or runs the registered command) named by `opens`
    Close,            // closes the main window: the program ends
    Backup,
    Help,
    PrinterSetup,
    RegionalSettings,
    DisplaySettings,
    DateTimeSettings,
    Calculator,
};

struct Item {
    QString name; // objectName of the action or submenu
    QString text;
    Command command = Command::Submenu;
    QString opens; // window class or command name in the window registry
    int reportKind = Keep;
    int bookMode = Keep;
    bool hidden = false; // not visible in the menu; the command still exists
    QKeySequence shortcut;
    std::vector<Item> children;
};

// The top-level items in menu-bar order.
const std::vector<Item>& items();

// The item with this name anywhere in the tree, or nullptr.
const Item* find(const QString& name);

} // namespace MainMenu
