#pragma once
// The help book shipped with the program (HTML pages compiled into it),
// opened at its contents page.
#include <QWidget>

class QTextBrowser;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    // Shows the contents page and brings the window forward.
    void showContents();
    QTextBrowser* browser() const { return browser_; }

    static QString contentsUrl();

private:
    QTextBrowser* browser_;
};
