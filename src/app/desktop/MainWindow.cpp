#include "app/desktop/MainWindow.h"
#include "app/desktop/HelpWindow.h"
#include "app/desktop/PasswordDialog.h"
#include "app/desktop/Utilities.h"
#include "data/Backup.h"
#include "data/Config.h"
#include "data/Db.h"
#include "data/Progress.h"
#include "data/Session.h"
#include "data/Sql.h"
#include "widgets/Messages.h"

#include <QAction>
#include <QCloseEvent>
#include <QDialog>
#include <QEventLoop>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

using MainMenu::Command;
using MainMenu::Item;

// The two gauges of the main window as the Progress of the run.
class TZIDIDIR::Gauges final : public Progress {
public:
    explicit Gauges(QProgressBar* const* bars)
        : bars_{bars[0], bars[1]}
    {
    }
    void start(int gauge, int maximum) override
    {
        if (QProgressBar* b = bar(gauge)) {
            b->setRange(0, qMax(maximum, 1));
            b->setValue(0);
            b->show();
        }
    }
    void step(int gauge, int position) override
    {
        if (QProgressBar* b = bar(gauge))
            b->setValue(position); // repaints at once when the shown value changes
    }
    void finish(int gauge) override
    {
        if (QProgressBar* b = bar(gauge)) {
            b->hide();
            b->reset();
        }
    }

private:
    QProgressBar* bar(int gauge) const { return gauge == 0 || gauge == 1 ? bars_[gauge] : nullptr; }
    QProgressBar* bars_[2];
};

TZIDIDIR::TZIDIDIR(const WindowRegistry& registry, QWidget* parent)
    : QMainWindow(parent)
    , registry_(registry)
{
    setObjectName(QStringLiteral("ZIDIDIR"));
    setWindowTitle(QStringLiteral("var er"));

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("background"));
    central->setStyleSheet(QStringLiteral("#background { background: #4a6b8a; }"));
    companyLabel_ = new QLabel(central);
    companyLabel_->setAlignment(Qt::AlignCenter);
    companyLabel_->setStyleSheet(QStringLiteral("color: rgba(255,255,255,150);"));
    QFont big = companyLabel_->font();
    big.setPointSize(30);
    big.setBold(true);
    companyLabel_->setFont(big);

    // Shown while a backup runs.
    copyAnimation_ = new QWidget(central);
    copyAnimation_->setObjectName(QStringLiteral("copyAnimation"));
    auto* busyText = new QLabel(QStringLiteral("백업 중입니다..."), copyAnimation_);
    busyText->setStyleSheet(QStringLiteral("color: white;"));
    auto* busyBar = new QProgressBar(copyAnimation_);
    busyBar->setRange(0, 0); // moves without an end
    busyBar->setFixedWidth(220);
    auto* busyLayout = new QHBoxLayout(copyAnimation_);
    busyLayout->addStretch();
    busyLayout->addWidget(busyText);
    busyLayout->addWidget(busyBar);
    busyLayout->addStretch();
    copyAnimation_->hide();

    auto* gaugeRow = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        gauges_[i] = new QProgressBar(central);
        gauges_[i]->setObjectName(QStringLiteral("Gauge%1").arg(i + 1));
        gauges_[i]->hide();
        gaugeRow->addWidget(gauges_[i]);
    }
    auto* layout = new QVBoxLayout(central);
    layout->addStretch();
    layout->addWidget(companyLabel_);
    layout->addStretch();
    layout->addWidget(copyAnimation_);
    layout->addLayout(gaugeRow);
    setCentralWidget(central);

    progress_ = std::make_unique<Gauges>(gauges_);
    Progress::install(progress_.get());

    buildMenu(menuBar(), nullptr, MainMenu::items());
    menuBar()->setEnabled(false); // until the login succeeded

    // The windows that live for the whole run.
    for (const WindowRegistry::Entry& e : registry_.entries())
        if (e.kind == WindowRegistry::Kind::PreCreated)
            preCreated_.insert(e.name, e.create(this));

    resize(1024, 700);
}

TZIDIDIR::~TZIDIDIR()
{
    Progress::install(nullptr);
}

void TZIDIDIR::buildMenu(QWidget* bar, QMenu* menu, const std::vector<Item>& items)
{
    for (const Item& item : items) {
        QAction* action;
        if (!item.children.empty()) {
            auto* sub = new QMenu(item.text, bar);
            sub->setObjectName(item.name);
            buildMenu(sub, sub, item.children);
            action = sub->menuAction();
            action->setObjectName(item.name);
            action->setVisible(!item.hidden);
        } else {
            action = makeAction(item, bar);
        }
        if (menu)
            menu->addAction(action);
        else
            menuBar()->addAction(action);
    }
}

QAction* TZIDIDIR::makeAction(const Item& item, QObject* parent)
{
    auto* action = new QAction(item.text, parent);
    action->setObjectName(item.name);
    if (!item.shortcut.isEmpty())
        action->setShortcut(item.shortcut);
    action->setVisible(!item.hidden);
    action->setEnabled(available(item));
    addAction(action); // shortcuts work wherever the focus is in this window
    connect(action, &QAction::triggered, this, [this, &item] { runItem(item); });
    return action;
}

bool TZIDIDIR::available(const Item& item) const
{
    return item.command != Command::Open || registry_.serves(item.opens, item.reportKind);
}

void TZIDIDIR::runItem(const Item& item)
{
    if (busy_ || !loggedIn_ || !available(item))
        return;
    switch (item.command) {
    case Command::Submenu:
        return;
    case Command::Open:
        openWindow(item);
        return;
    case Command::Close:
        close();
        return;
    case Command::Backup:
        backup();
        return;
    case Command::Help:
        showHelp();
        return;
    case Command::PrinterSetup:
        printerSetup();
        return;
    case Command::RegionalSettings:
        startTool(Utilities::Tool::Regional);
        return;
    case Command::DisplaySettings:
        startTool(Utilities::Tool::Display);
        return;
    case Command::DateTimeSettings:
        startTool(Utilities::Tool::DateTime);
        return;
    case Command::Calculator:
        startTool(Utilities::Tool::Calculator);
        return;
    }
}

void TZIDIDIR::openWindow(const Item& item)
{
    const WindowRegistry::Entry* entry = registry_.find(item.opens);
    if (!entry)
        return;
    if (item.reportKind != MainMenu::Keep)
        session().ReportKind = item.reportKind;
    if (item.bookMode != MainMenu::Keep)
        session().BookMode = item.bookMode;
    try {
        switch (entry->kind) {
        case WindowRegistry::Kind::Window: {
            std::unique_ptr<QDialog> window(entry->create(this));
            window->exec();
            break;
        }
        case WindowRegistry::Kind::PreCreated:
            if (QDialog* window = preCreated_.value(entry->name))
                window->exec();
            break;
        case WindowRegistry::Kind::Command:
            entry->run(this);
            break;
        }
    } catch (const DbError& e) {
        Messages::error(this, e.message());
    }
}

void TZIDIDIR::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    if (!started_)
        QTimer::singleShot(0, this, &TZIDIDIR::startSession);
}

bool TZIDIDIR::startSession()
{
    if (started_)
        return loggedIn_;
    started_ = true;
    try {
        Db::open(DbSettings::fromConfig());
        session().loadCompany();
    } catch (const DbError& e) {
        // Without its database the program can do nothing: say why and end.
        Messages::error(this, e.message());
        close();
        return false;
    }
    setWindowTitle(session().SessionCompanyName);
    QGuiApplication::setApplicationDisplayName(session().applicationTitle());
    companyLabel_->setText(session().SessionCompanyName);

    TPASSWORD login(this);
    if (login.exec() != QDialog::Accepted) {
        close();
        return false;
    }
    loggedIn_ = true;
    menuBar()->setEnabled(true);
    return true;
}

void TZIDIDIR::closeEvent(QCloseEvent* e)
{
    if (busy_) {
        e->ignore(); // a backup is running
        return;
    }
    if (help_)
        help_->close();
    QMainWindow::closeEvent(e);
}

void TZIDIDIR::backup()
{
    busy_ = true;
    copyAnimation_->show();
    menuBar()->setEnabled(false);

    const DbSettings database = Db::current();
    const QString folder = Config::value(QStringLiteral("backup_dir"));
    QString failure;
    // The backup runs beside the window thread so the window keeps painting.
    std::unique_ptr<QThread> worker(QThread::create([&] {
        try {
            Backup::toFolder(database, folder);
        } catch (const DbError& e) {
            failure = e.message();
        } catch (const std::exception& e) {
            failure = QString::fromLocal8Bit(e.what());
        }
    }));
    QEventLoop loop;
    connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker->wait();

    copyAnimation_->hide();
    menuBar()->setEnabled(true);
    busy_ = false;
    if (failure.isEmpty())
        Messages::info(this, QStringLiteral("백업이 완료되었습니다."));
    else
        Messages::error(this, QStringLiteral("백업이 완료되지 않았습니다.\n") + failure);
}

void TZIDIDIR::showHelp()
{
    if (!help_)
        help_ = new HelpWindow(this);
    help_->showContents();
}

void TZIDIDIR::printerSetup()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>();
    QPrintDialog dialog(printer_.get(), this);
    dialog.setWindowTitle(QStringLiteral("Printer Setup"));
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    dialog.exec();
}

void TZIDIDIR::startTool(Utilities::Tool tool)
{
    QString message;
    if (!Utilities::start(tool, &message))
        Messages::info(this, message);
}
