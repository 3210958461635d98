// The login window driven by its components: class field rules, the three
// attempts with their two messages, staff sharing a name, keys, and a
// database that went away.
#include "app/desktop/Login.h"
#include "app/desktop/PasswordDialog.h"
#include "data/Db.h"
#include "data/Session.h"
#include "support/TestDb.h"
#include "widgets/Messages.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>

namespace {

const QString kWrong = QStringLiteral("사용자 이름 및 암호가 올바르지 않습니다.");
const QString kEnd = QStringLiteral("사용자 이름 및 암호가 3회 오류로 프로그램을 종료합니다.");
const QString kTitle = QStringLiteral("사용자 이름 및 암호");

// Types text key by key (Hangul cannot go through keyClicks).
void type(QWidget* w, const QString& text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

struct Window {
    TPASSWORD dlg;
    QLineEdit* user;
    QLineEdit* pass;
    QLineEdit* level;
    QPushButton* ok;
    QPushButton* cancel;

    Window()
    {
        user = dlg.findChild<QLineEdit*>("useredt");
        pass = dlg.findChild<QLineEdit*>("passedt");
        level = dlg.findChild<QLineEdit*>("chuli_l");
        ok = dlg.findChild<QPushButton*>("Button1");
        cancel = dlg.findChild<QPushButton*>("Button2");
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
    }
    void fill(const QString& u, const QString& p, const QString& l)
    {
        user->clear();
        pass->clear();
        level->clear();
        type(user, u);
        type(pass, p);
        type(level, l);
    }
    bool accepted() const { return dlg.result() == QDialog::Accepted && !dlg.isVisible(); }
};

} // namespace

class TestLogin : public QObject {
    Q_OBJECT
    std::unique_ptr<TestDb> db_;

private slots:
    void init()
    {
        db_ = std::make_unique<TestDb>();
        insertRow("youngup", {{"code", "001"}, {"man", "김철수"}, {"pass", "12345"}});
        insertRow("youngup", {{"code", "002"}, {"man", "박민수"}, {"pass", "111"}});
        insertRow("youngup", {{"code", "003"}, {"man", "박민수"}, {"pass", "222"}});
        session() = Session{};
        session().SessionCompanyName = QStringLiteral("한빛레미콘");
        Messages::startScript();
    }
    void cleanup()
    {
        Messages::stopScript();
        db_.reset();
    }

    void showsCompanyAndHidesPassword()
    {
        Window w;
        QCOMPARE(w.dlg.findChild<QLabel*>("namel")->text(), QStringLiteral("한빛레미콘"));
        QCOMPARE(w.dlg.windowTitle(), QStringLiteral("사용자 암호 입력"));
        QCOMPARE(w.ok->text(), QStringLiteral("확  인"));
        QCOMPARE(w.cancel->text(), QStringLiteral("취  소"));
        QCOMPARE(w.pass->echoMode(), QLineEdit::Password);
        w.fill("김철수", "1234567", "P");
        QCOMPARE(w.pass->text(), QStringLiteral("12345")); // at most five characters
        const QChar mask(char16_t(w.pass->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter)));
        QCOMPARE(w.pass->displayText(), QString(5, mask));
    }

    void emptyClassFillsPThenLogsIn()
    {
        Window w;
        w.fill("김철수", "12345", "");
        w.ok->click();
        QCOMPARE(w.level->text(), QStringLiteral("P"));
        QVERIFY(w.dlg.isVisible());
        QVERIFY(session().SessionUser.isEmpty());
        w.ok->click();
        QVERIFY(w.accepted());
        QCOMPARE(session().SessionUser, QStringLiteral("김철수"));
        QCOMPARE(session().SessionLevel, QStringLiteral("P"));
        QVERIFY(Messages::shown().isEmpty());
    }

    void lowerCaseClassIsUpperCase()
    {
        Window w;
        w.fill("김철수", "12345", "q");
        QCOMPARE(w.level->text(), QStringLiteral("Q"));
        w.ok->click();
        QVERIFY(w.accepted());
        QCOMPARE(session().SessionLevel, QStringLiteral("Q"));
    }

    void classOtherThanPQRIsRefusedWithoutCountingAnAttempt()
    {
        Window w;
        for (int i = 0; i < 4; ++i) {
            w.fill("김철수", "12345", "X");
            w.ok->click();
            QVERIFY(w.level->text().isEmpty());
            QVERIFY(w.dlg.isVisible());
        }
        QVERIFY(Messages::shown().isEmpty());
        w.fill("김철수", "12345", "R");
        w.ok->click();
        QVERIFY(w.accepted());
        QCOMPARE(session().SessionLevel, QStringLiteral("R"));
    }

    void threeFailuresEndTheProgram()
    {
        Window w;
        for (int i = 0; i < 3; ++i) {
            w.fill("김철수", "54321", "P");
            w.ok->click();
            if (i < 2) {
                QVERIFY(w.dlg.isVisible());
                QVERIFY(w.user->text().isEmpty() && w.pass->text().isEmpty() && w.level->text().isEmpty());
                QCOMPARE(QApplication::focusWidget(), w.user);
            }
        }
        QVERIFY(!w.dlg.isVisible());
        QCOMPARE(w.dlg.result(), int(QDialog::Rejected));
        QCOMPARE(Messages::shownTexts(), (QStringList{kWrong, kWrong, kEnd}));
        for (const Messages::Shown& m : Messages::shown()) {
            QCOMPARE(m.kind, Messages::Kind::Error);
            QCOMPARE(m.title, kTitle);
            QVERIFY(!m.text.contains("54321"));
        }
        QVERIFY(session().SessionUser.isEmpty());
    }

    void twoFailuresThenRightLogsIn()
    {
        Window w;
        w.fill("김철수", "", "P");
        w.ok->click();
        w.fill("", "12345", "P");
        w.ok->click();
        w.fill("김철수", "12345", "P");
        w.ok->click();
        QVERIFY(w.accepted());
        QCOMPARE(Messages::shownTexts(), (QStringList{kWrong, kWrong}));
    }

    // The name is compared, not the staff code; two staff with one name log in alike.
    void nameNotCodeAndSharedNames()
    {
        struct Case {
            QString user, pass;
            bool ok;
        };
        const QList<Case> cases = {
            {"박민수", "111", true},  {"박민수", "222", true},   {"003", "222", false},
            {"김철수", "1234", false}, {"박민수", "11", false}, {"박민수박민수박민수박민수", "111", false},
            {"", "", false},
        };
        for (const Case& c : cases)
            QVERIFY2(Login::matches(c.user, c.pass) == c.ok, qPrintable(c.user + "/" + c.pass));
        Window w;
        w.fill("박민수", "222", "P");
        w.ok->click();
        QVERIFY(w.accepted());
        QCOMPARE(session().SessionUser, QStringLiteral("박민수"));
    }

    void keysMoveBetweenFields()
    {
        Window w;
        w.user->setFocus();
        QTest::keyClick(w.user, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.pass);
        QTest::keyClick(w.pass, Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), w.level);
        QTest::keyClick(w.level, Qt::Key_PageUp);
        QCOMPARE(QApplication::focusWidget(), w.pass);
        QTest::keyClick(w.pass, Qt::Key_PageDown);
        QCOMPARE(QApplication::focusWidget(), w.level);

        // Enter in the class field: a wrong class is emptied and the focus stays.
        type(w.level, "Z");
        QTest::keyClick(w.level, Qt::Key_Return);
        QVERIFY(w.level->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), w.level);
        QVERIFY(w.dlg.isVisible());
        type(w.level, "r");
        QTest::keyClick(w.level, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.ok);

        // Enter on the OK button logs in.
        w.user->setText("김철수");
        w.pass->setText("12345");
        QTest::keyClick(w.ok, Qt::Key_Return);
        QVERIFY(w.accepted());
        QCOMPARE(session().SessionLevel, QStringLiteral("R"));
    }

    void cancelRejects()
    {
        Window w;
        w.fill("김철수", "12345", "P");
        w.cancel->setFocus();
        QTest::keyClick(w.cancel, Qt::Key_Return); // Enter on "취  소" cancels, it does not log in
        QCOMPARE(w.dlg.result(), int(QDialog::Rejected));
        QVERIFY(!w.dlg.isVisible());
        QVERIFY(session().SessionUser.isEmpty());
    }

    void databaseGoneShowsItsReasonAndCountsNothing()
    {
        Window w;
        Db::close();
        for (int i = 0; i < 3; ++i) {
            w.fill("김철수", "12345", "P");
            w.ok->click();
        }
        QVERIFY(w.dlg.isVisible());
        QCOMPARE(Messages::shown().size(), 3);
        QVERIFY(!Messages::shownTexts().contains(kEnd));
        QVERIFY(!Messages::shownTexts().contains(kWrong));
        Db::open([&] { DbSettings s; s.database = db_->path(); return s; }());
        w.ok->click();
        QVERIFY(w.accepted());
    }
};

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
