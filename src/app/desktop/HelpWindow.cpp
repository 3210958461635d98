#include "app/desktop/HelpWindow.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

// Resources of a static library are registered by hand.
static void initDesktopResources() { Q_INIT_RESOURCE(desktop); }

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    initDesktopResources();
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(QStringLiteral("varer 도움말"));

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("helpBrowser"));
    browser_->setOpenExternalLinks(false);

    auto* home = new QPushButton(QStringLiteral("목차"), this);
    auto* back = new QPushButton(QStringLiteral("뒤로"), this);
    auto* forward = new QPushButton(QStringLiteral("앞으로"), this);
    auto* close = new QPushButton(QStringLiteral("닫기"), this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(home, &QPushButton::clicked, this, &HelpWindow::showContents);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);

    auto* bar = new QHBoxLayout;
    bar->addWidget(home);
    bar->addWidget(back);
    bar->addWidget(forward);
    bar->addStretch();
    bar->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(browser_);
    resize(760, 620);
}

QString HelpWindow::contentsUrl() { return QStringLiteral("qrc:/help/index.html"); }

void HelpWindow::showContents()
{
    browser_->setSource(QUrl(contentsUrl()));
    show();
    raise();
    activateWindow();
}
