#include "data/Config.h"
#include "data/Session.h"
#include "data/Sql.h"
#include "dialogs/CalendarDlg.h"
#include "support/TestDb.h"
#include "widgets/EntryForm.h"
#include "widgets/Grid.h"
#include "widgets/Kit.h"
#include "widgets/Messages.h"
#include "widgets/PasswordPanel.h"

#include <QCalendarWidget>
#include <QGroupBox>
#include <QImage>
#include <QInputMethodEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

// A small staff window written the way real windows are: fields, buttons,
// states and handlers, everything else from the kit.
class KitWindow : public EntryForm {
public:
    Field *code, *name, *cls, *day, *month, *time, *truck, *amount, *manCode, *manName, *find;
    ListField* kind;
    QGroupBox* panel;
    QStringList log;
    bool codeOk = true;

    KitWindow()
        : EntryForm("TKIT_F", "시험 창")
    {
        code = addField({.name = "kt01", .label = "코드", .kind = FieldKind::Code, .width = 3,
                         .onEnter = [this] { log << "code:" + code->value(); return codeOk; }, .key = true});
        name = addField({.name = "kt02", .label = "이름", .width = 10,
                         .onEnter = [this] { log << "name:" + name->value(); return true; }});
        cls = addField({.name = "kt03", .kind = FieldKind::Upper, .width = 1, .sameLine = true});
        kind = addList({.name = "kt04", .label = "구분", .kind = FieldKind::List, .items = {"관수1", "민수1"},
                        .codes = {"K", "S"}});
        day = addField({.name = "kt05", .label = "일자", .kind = FieldKind::Date,
                        .onEnter = [this] { log << "day:" + day->value(); return true; }});
        month = addField({.name = "kt06", .kind = FieldKind::Month});
        time = addField({.name = "kt07", .kind = FieldKind::Time});
        truck = addField({.name = "kt08", .kind = FieldKind::Mask, .mask = Masks::Truck});
        amount = addField({.name = "kt09", .kind = FieldKind::Number, .width = 9, .mask = "#,##0"});
        panel = beginSection("DamPAN");
        manCode = addField({.name = "kt20", .kind = FieldKind::Code, .width = 3});
        manName = addField({.name = "kt21", .width = 10, .readOnly = true});
        endSection();
        find = addField({.name = "find_edit", .free = true});

        addButton("newbtn", "&1.등록", Browse, [this] {
            clearFields();
            setState(New);
            code->setFocus();
        });
        addButton("edtbtn", "&2.수정", Browse, [this] {
            askPassword(StaffPassword::Correction, [this] { setState(Edit); });
        }, true);
        addButton("delbtn", "&3.삭제", Browse, [this] { setState(Delete); }, true);
        addButton("savbtn", "&6.저장", New | Edit, [this] {
            Sql::exec("insert into youngup (code, man) values (?, ?)", {code->value(), name->value()});
            log << "saved:" + name->value();
            setState(Browse);
        });
        addButton("canbtn", "&7.취소", Browse | New | Edit, [this] { setState(Browse); }, true);
        addCloseButton("clsbtn", "&9.닫기");
        setState(Browse);
    }
};

static QStringList enabledButtons(const EntryForm& w)
{
    QStringList names;
    for (const char* n : {"newbtn", "edtbtn", "delbtn", "savbtn", "canbtn", "clsbtn"})
        if (w.button(n)->isEnabled())
            names << n;
    return names;
}

class TestEntryForm : public QObject {
    Q_OBJECT
    TestDb* db_ = nullptr;
    KitWindow* w = nullptr;

    void show()
    {
        w->show();
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
    }
    static QWidget* focused() { return QApplication::focusWidget(); }

private slots:
    void initTestCase()
    {
        Kit::useApplicationFont();
        db_ = new TestDb;
        insertRow("youngup", {{"code", "589"}, {"man", "정정"}, {"pass", "abc"}});
        insertRow("youngup", {{"code", "111"}, {"man", "결재"}, {"pass", "xyz"}});
        session().SessionCompanyName = "대한레미콘";
        session().SessionUser = "홍길동";
    }
    void cleanupTestCase() { delete db_; }
    void init()
    {
        Messages::startScript();
        w = new KitWindow;
        show();
    }
    void cleanup()
    {
        delete w;
        Messages::stopScript();
        Config::clearOverrides();
    }

    void buttonsFollowState_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("rowShown");
        QTest::addColumn<QStringList>("enabled");
        QTest::newRow("browse, no row") << int(EntryForm::Browse) << false << QStringList{"newbtn", "clsbtn"};
        QTest::newRow("browse, row shown") << int(EntryForm::Browse) << true
                                           << QStringList{"newbtn", "edtbtn", "delbtn", "canbtn", "clsbtn"};
        QTest::newRow("new") << int(EntryForm::New) << false << QStringList{"savbtn", "canbtn", "clsbtn"};
        QTest::newRow("edit") << int(EntryForm::Edit) << true << QStringList{"savbtn", "canbtn", "clsbtn"};
        QTest::newRow("delete") << int(EntryForm::Delete) << true << QStringList{"clsbtn"};
    }
    void buttonsFollowState()
    {
        QFETCH(int, state);
        QFETCH(bool, rowShown);
        QFETCH(QStringList, enabled);
        w->setRowShown(rowShown);
        w->setState(EntryForm::State(state));
        QCOMPARE(enabledButtons(*w), enabled);
    }

    void fieldsLockedWhileBrowsing()
    {
        for (QWidget* f : {(QWidget*)w->code, (QWidget*)w->name, (QWidget*)w->kind, (QWidget*)w->day})
            QVERIFY(!f->isEnabled());
        QVERIFY(w->find->isEnabled());
        w->setState(EntryForm::New);
        QVERIFY(w->code->isEnabled() && w->name->isEnabled() && w->kind->isEnabled());
        w->setState(EntryForm::Edit);
        QVERIFY(!w->code->isEnabled()); // part of the key
        QVERIFY(w->name->isEnabled());
        w->setState(EntryForm::Delete);
        QVERIFY(!w->name->isEnabled());
    }

    void buttonsAnswerAltDigitAndEnter()
    {
        QTest::keyClick(w, Qt::Key_1, Qt::AltModifier);
        QTRY_COMPARE(w->state(), EntryForm::New); // a shortcut clicks after a short animation
        QCOMPARE(focused(), w->code);
        w->code->setText("301");
        w->name->setText("엔터");
        w->button("savbtn")->setFocus();
        QTest::keyClick(w->button("savbtn"), Qt::Key_Return);
        QCOMPARE(w->log.last(), QString("saved:엔터"));
        // Enter in a field never presses the focused button of a moment ago.
        w->setState(EntryForm::New);
        w->name->setFocus();
        QTest::keyClick(w->name, Qt::Key_Return);
        QCOMPARE(w->log.last(), QString("name:엔터"));
    }

    void enterRunsCheckThenMovesOn()
    {
        QTest::mouseClick(w->button("newbtn"), Qt::LeftButton);
        QTest::keyClicks(w->code, "12");
        w->codeOk = false;
        QTest::keyClick(w->code, Qt::Key_Return);
        QCOMPARE(w->log, QStringList{"code:12"});
        QCOMPARE(focused(), w->code); // the check refused
        w->codeOk = true;
        QTest::keyClick(w->code, Qt::Key_Enter);
        QCOMPARE(focused(), w->name);
        QTest::keyClick(w->name, Qt::Key_PageDown);
        QCOMPARE(focused(), w->cls);
        QTest::keyClick(w->cls, Qt::Key_PageUp);
        QCOMPARE(focused(), w->name);
        QTest::keyClick(w->name, Qt::Key_PageUp);
        QCOMPARE(focused(), w->code);

        // A hidden panel is skipped, a read-only field always, and Enter wraps round.
        w->panel->hide();
        w->amount->setFocus();
        QTest::keyClick(w->amount, Qt::Key_Return);
        QCOMPARE(focused(), w->find);
        w->panel->show();
        w->amount->setFocus();
        QTest::keyClick(w->amount, Qt::Key_Return);
        QCOMPARE(focused(), w->manCode);
        QTest::keyClick(w->manCode, Qt::Key_Return);
        QCOMPARE(focused(), w->find);
        QTest::keyClick(w->find, Qt::Key_Return);
        QCOMPARE(focused(), w->code);
    }

    void typing_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("value");
        QTest::newRow("code ignores letters") << "kt01" << "1a2b" << "12";
        QTest::newRow("code width refused") << "kt01" << "12345" << "123";
        QTest::newRow("text width refused") << "kt02" << "abcdefghijkl" << "abcdefghij";
        QTest::newRow("upper case") << "kt03" << "b" << "B";
        QTest::newRow("upper width") << "kt03" << "bc" << "B";
        QTest::newRow("date") << "kt05" << "20030501" << "2003-05-01";
        QTest::newRow("date ignores letters") << "kt05" << "2003x0501" << "2003-05-01";
        QTest::newRow("month") << "kt06" << "200305" << "2003-05";
        QTest::newRow("time") << "kt07" << "0930" << "09:30";
        QTest::newRow("truck") << "kt08" << "1234567890" << "12-3456-7";
        QTest::newRow("number") << "kt09" << "12a34.5" << "1234.5";
    }
    void typing()
    {
        QFETCH(QString, field);
        QFETCH(QString, keys);
        QFETCH(QString, value);
        w->setState(EntryForm::New);
        Field* f = w->field(field);
        f->setFocus();
        f->home(false);
        QTest::keyClicks(f, keys);
        QCOMPARE(f->value(), value);
    }

    void fieldValues()
    {
        QCOMPARE(w->day->value(), QString()); // an untouched mask is empty
        QVERIFY(!w->day->complete());
        w->day->setDate(QDate(2004, 2, 29));
        QCOMPARE(w->day->value(), QString("2004-02-29"));
        QCOMPARE(w->day->date(), QDate(2004, 2, 29));
        w->amount->setNumber(1234567);
        QCOMPARE(w->amount->text(), QString("1,234,567"));
        QCOMPARE(w->amount->number(), 1234567.0);
        w->kind->setCode("S");
        QCOMPARE(w->kind->value(), QString("민수1"));
        QCOMPARE(w->kind->code(), QString("S"));
        w->kind->setCode("Z");
        QCOMPARE(w->kind->code(), QString("S"));
        w->clearFields();
        QCOMPARE(w->kind->code(), QString("K"));
        QCOMPARE(w->amount->text(), QString());
    }

    void hangulTypedAndCommitted()
    {
        w->setState(EntryForm::New);
        w->name->setFocus();
        QTest::sendKeyEvent(QTest::Click, w->name, Qt::Key_unknown, QString("홍"), Qt::NoModifier);
        // "길" still being composed when Enter comes.
        QInputMethodEvent composing("길", {});
        QApplication::sendEvent(w->name, &composing);
        QTest::keyClick(w->name, Qt::Key_Return);
        QCOMPARE(w->log.last(), QString("name:홍길"));

        // The same before a button handler.
        w->name->setFocus();
        w->code->setText("300");
        QInputMethodEvent more("동", {});
        QApplication::sendEvent(w->name, &more);
        QTest::mouseClick(w->button("savbtn"), Qt::LeftButton);
        QCOMPARE(w->log.last(), QString("saved:홍길동"));
        QCOMPARE(Sql::scalar("select man from youngup where code = '300'").toString(), QString("홍길동"));
    }

    void databaseErrorShowsServerMessage()
    {
        w->setState(EntryForm::New);
        w->code->setText("589"); // already there
        w->name->setText("중복");
        QTest::mouseClick(w->button("savbtn"), Qt::LeftButton);
        const QList<Messages::Shown> shown = Messages::shown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().kind, Messages::Kind::Error);
        QVERIFY2(shown.first().text.contains("PRIMARY", Qt::CaseInsensitive)
                     || shown.first().text.contains("unique", Qt::CaseInsensitive),
                 qPrintable(shown.first().text));
        QCOMPARE(w->state(), EntryForm::New); // the handler stopped there
    }

    void password_data()
    {
        QTest::addColumn<QString>("staff");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("correction") << "589" << "abc" << true;
        QTest::newRow("case differs") << "589" << "ABC" << false;
        QTest::newRow("trailing blank") << "589" << "abc " << false;
        QTest::newRow("approval password for correction") << "589" << "xyz" << false;
        QTest::newRow("approval") << "111" << "xyz" << true;
        QTest::newRow("no such staff row") << "777" << "" << false;
    }
    void password()
    {
        QFETCH(QString, staff);
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        bool ok = false, refused = false;
        w->askPassword(staff, [&] { ok = true; }, [&] { refused = true; });
        PasswordPanel* panel = w->passwordPanel();
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->objectName(), QString("pass_pan"));
        QCOMPARE(panel->edit()->echoMode(), QLineEdit::Password);
        QCOMPARE(focused(), panel->edit());
        QTest::keyClicks(panel->edit(), typed);
        QTest::keyClick(panel->edit(), Qt::Key_Return);
        QVERIFY(!panel->isVisible());
        QCOMPARE(ok, accepted);
        QCOMPARE(refused, !accepted);
        QCOMPARE(Messages::shownTexts(), accepted ? QStringList{} : QStringList{"암호가 틀렸습니다."});
    }

    void changeNeedsPassword()
    {
        w->setRowShown(true);
        QTest::mouseClick(w->button("edtbtn"), Qt::LeftButton);
        QTest::keyClicks(w->passwordPanel()->edit(), "abc");
        QTest::keyClick(w->passwordPanel()->edit(), Qt::Key_Return);
        QCOMPARE(w->state(), EntryForm::Edit);
    }

    void statusBar()
    {
        QCOMPARE(w->findChild<QLabel*>("status_company")->text(), QString("대한레미콘"));
        QCOMPARE(w->findChild<QLabel*>("status_user")->text(), QString("홍길동"));
        QCOMPARE(w->statePanel()->text(), QString("조회및 등록"));
        w->setState(EntryForm::New);
        QCOMPARE(w->statePanel()->pixmap().size(), EntryForm::statePicture(EntryForm::New).size());
        QVERIFY(!w->statePanel()->pixmap().isNull());
        w->setState(EntryForm::Delete);
        QCOMPARE(w->statePanel()->text(), QString("삭제"));
        QVERIFY(w->statePanel()->pixmap().isNull());
        w->setStatusText("도 움 말");
        QCOMPARE(w->statePanel()->text(), QString("도 움 말"));
    }

    void sitePicturesReplaceOurs()
    {
        const QSize ours = EntryForm::statePicture(EntryForm::New).size();
        QVERIFY(!ours.isEmpty());
        QCOMPARE(EntryForm::statePicture(EntryForm::Edit).size(), ours);
        QTemporaryDir dir;
        QImage picture(33, 11, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(dir.filePath("수정.bmp"), "BMP"));
        Config::setOverride("picture_dir", dir.path());
        QCOMPARE(EntryForm::statePicture(EntryForm::Edit).size(), QSize(33, 11));
        QCOMPARE(EntryForm::statePicture(EntryForm::New).size(), ours); // no 등록.bmp there
    }

    void calendarButtonFillsDate()
    {
        w->setState(EntryForm::New);
        Kit::setModalHook([](QDialog* d) {
            auto* cal = qobject_cast<TCalendarDlg*>(d);
            QVERIFY(cal);
            cal->yearField()->setValue(2003);
            cal->monthField()->setValue(5);
            cal->calendar()->setSelectedDate(QDate(2003, 5, 17));
            QTest::keyClick(cal->calendar()->findChild<QTableView*>(), Qt::Key_Return);
        });
        const QList<QAction*> actions = w->day->actions();
        QCOMPARE(actions.size(), 1);
        actions.first()->trigger();
        Kit::setModalHook({});
        QCOMPARE(w->day->value(), QString("2003-05-17"));
        QCOMPARE(w->log.last(), QString("day:2003-05-17")); // the field's handler runs as for Enter
    }
};

QTEST_MAIN(TestEntryForm)
#include "tst_entryform.moc"
