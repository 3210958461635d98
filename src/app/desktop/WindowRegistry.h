#pragma once
// Which windows the menu can open, by window class name. A menu item names
// its window class (MainMenu); the registry says how to make it. An item
// whose class is not registered is shown disabled.
#include <QList>
#include <QString>
#include <functional>

class QDialog;
class QWidget;

class WindowRegistry {
public:
    using Factory = std::function<QDialog*(QWidget* parent)>;
    using Command = std::function<void(QWidget* parent)>;

    enum class Kind {
        Window,     // created by its command, shown modally, destroyed when it closes
        PreCreated, // created once when the main window is built, shown again by each command
        Command,    // a menu command without a window of its own (it may ask questions)
    };

    struct Entry {
        QString name;
        Kind kind;
        Factory create;         // Window, PreCreated
        Command run;            // Command
        QList<int> reportKinds; // the ReportKinds the window already produces; empty: all
    };

    // reportKinds: for a window that serves several menu items by ReportKind
    // and does not produce all of them yet; the other items stay disabled.
    void addWindow(const QString& name, Factory create, const QList<int>& reportKinds = {});
    void addPreCreated(const QString& name, Factory create);
    void addCommand(const QString& name, Command run);

    const Entry* find(const QString& name) const;
    // True when the window (or command) is registered and produces this ReportKind.
    bool serves(const QString& name, int reportKind) const;
    bool contains(const QString& name) const { return find(name) != nullptr; }
    const QList<Entry>& entries() const { return entries_; } // in the order added

private:
    QList<Entry> entries_;
};

// Makes a window of class W with the given parent: addWindow("TCUSTOMER_F", makeWindow<CustomerWindow>).
template <class W>
QDialog* makeWindow(QWidget* parent)
{
    return new W(parent);
}

// Registers every window of the program (AppWindows.cpp: one line per window).
void registerAppWindows(WindowRegistry& registry);
