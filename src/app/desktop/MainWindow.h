#pragma once
// TZIDIDIR, the main window: the menu bar that opens every window, two
// progress gauges that long operations drive through Progress, and a busy
// indicator shown during a backup. Its first showing runs the start of the
// working session: connect, read the company, log in.
#include "app/desktop/MainMenu.h"
#include "app/desktop/WindowRegistry.h"

#include <QHash>
#include <QMainWindow>
#include <memory>

class HelpWindow;
class QAction;
class QMenu;
class QPrinter;
class QProgressBar;
class QLabel;
namespace Utilities { enum class Tool; }

class TZIDIDIR : public QMainWindow {
    Q_OBJECT
public:
    explicit TZIDIDIR(const WindowRegistry& registry, QWidget* parent = nullptr);
    ~TZIDIDIR() override;

    // The first activation: opens the configured database, reads the company
    // and the first month of the books, then shows the login. Returns true
    // when the user is logged in; otherwise the window has been closed (the
    // program ends). Runs once; later calls return the first result.
    bool startSession();

    // Runs the command of a menu item (what triggering its action does).
    void runItem(const MainMenu::Item& item);

    // The window made at start-up for a pre-created class, or nullptr.
    QDialog* preCreatedWindow(const QString& name) const { return preCreated_.value(name); }

    QProgressBar* gauge(int i) const { return gauges_[i]; }
    HelpWindow* helpWindow() const { return help_; }

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    class Gauges;

    void buildMenu(QWidget* bar, QMenu* menu, const std::vector<MainMenu::Item>& items);
    QAction* makeAction(const MainMenu::Item& item, QObject* parent);
    bool available(const MainMenu::Item& item) const;
    void openWindow(const MainMenu::Item& item);
    void backup();
    void showHelp();
    void printerSetup();
    void startTool(Utilities::Tool tool);

    const WindowRegistry& registry_;
    QHash<QString, QDialog*> preCreated_;
    QProgressBar* gauges_[2];
    QWidget* copyAnimation_;
    QLabel* companyLabel_;
    HelpWindow* help_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<Gauges> progress_;
    bool started_ = false;
    bool loggedIn_ = false;
    bool busy_ = false;
};
