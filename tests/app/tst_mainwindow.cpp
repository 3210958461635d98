// The main window: the menu item by item against the office's menu, the
// modes each command sets, pre-created windows, the start of a session
// (connection failure, company, login), backup, help, utilities and gauges.
#include "app/desktop/HelpWindow.h"
#include "app/desktop/MainWindow.h"
#include "app/desktop/PasswordDialog.h"
#include "data/Backup.h"
#include "data/Config.h"
#include "data/Db.h"
#include "data/Progress.h"
#include "data/Session.h"
#include "support/TestDb.h"
#include "widgets/Messages.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

struct Expected {
    QStringList path; // texts from the menu bar down to the item
    QString name;
    bool reachable;   // neither the item nor a menu above it is hidden
    QString opens;    // window class or command; empty for the shell's own commands
    int reportKind;   // -1: left as it was
    int bookMode;
    QString shortcut;
};

// The office's menu, item by item, in menu order.
const QList<Expected> kMenu = {
        {{u"[&A]종합코드"_s, u"거래처"_s}, "Menu_cust", true, "TCUSTOMER_F", -1, -1, ""},
        {{u"[&A]종합코드"_s, u"현장"_s}, "Menu_hyun", true, "THYUNJANG_F", -1, -1, ""},
        {{u"[&A]종합코드"_s, u"제품규격"_s}, "Menu_remi_size", true, "TSIZE_F", -1, -1, ""},
        {{u"[&A]종합코드"_s, u"차량코드"_s}, "Menu_car", true, "TFrm_Car", -1, -1, ""},
        {{u"[&A]종합코드"_s, u"담당자"_s}, "Menu_man", true, "Tyoung_f", -1, -1, ""},
        {{u"[&A]종합코드"_s, u"운반회사코드"_s}, "menu_carcust", true, "Tcar_cust", -1, -1, ""},
        {{u"[&A]종합코드"_s, u"초기잔액"_s}, "N21", true, "TMISU_F", -1, -1, ""},
        {{u"[&A]종합코드"_s, u"거리 단가"_s}, "N22", true, "Tcarry_f", -1, -1, ""},
        {{u"[&A]종합코드"_s, u"사업장등록"_s}, "N47", true, "Tenrol_f", -1, -1, ""},
        {{u"[&A]종합코드"_s, u"ISO 문서 번호"_s}, "ISO1", false, "TISO_F", -1, -1, ""},
        {{u"[&A]종합코드"_s, u"종료"_s}, "N54", true, "", -1, -1, ""},
        {{u"[&B]수주"_s, u"수주등록"_s}, "N8", true, "Tsuju_f", -1, -1, ""},
        {{u"[&C]출하"_s, u"[조회] 출하현황"_s}, "N90", true, "TFrm_FindOandS", -1, -1, ""},
        {{u"[&C]출하"_s, u"           차량현황"_s}, "N92", true, "TFrm_FindCar", -1, -1, ""},
        {{u"[&C]출하"_s, u"           출하마감"_s}, "N94", true, "Tiljaprint_f", 2, -1, ""},
        {{u"[&C]출하"_s, u"[출력] 거래처별  출하현황"_s}, "N12", true, "Tgiganprn_f", 8, -1, ""},
        {{u"[&C]출하"_s, u"           거래처별  출하일지"_s}, "N13", true, "Tgiganprn_f", 7, -1, ""},
        {{u"[&C]출하"_s, u"              차량별  출하현황"_s}, "N17", true, "Tgiganprn_f", 9, -1, ""},
        {{u"[&C]출하"_s, u"              차량운행현황"_s}, "N29", true, "Tiljaprint_f", 5, -1, ""},
        {{u"[&D]영업관리"_s, u"판매관리"_s}, "N19", true, "Tmast_f", -1, 0, ""},
        {{u"[&D]영업관리"_s, u"입금관리"_s}, "N20", true, "Tipkum_f", -1, 0, ""},
        {{u"[&D]영업관리"_s, u"원재료사용현황"_s}, "N24", true, "Tgiganprn_f", 1, 0, ""},
        {{u"[&D]영업관리"_s, u"기간별 어음 입금"_s}, "N4", true, "Tgiganprn_f", 2, 0, ""},
        {{u"[&D]영업관리"_s, u"담당자별 입금현황"_s}, "N10", true, "Tgiganprn_f", 3, 0, ""},
        {{u"[&D]영업관리"_s, u"규격별 출력"_s}, "N88", false, "Tgiganprn_f", 4, 0, ""},
        {{u"[&D]영업관리"_s, u"일일미수금"_s}, "N26", true, "Tiljaprint_f", 1, 0, ""},
        {{u"[&D]영업관리"_s, u"일일영업실적현황"_s}, "N30", true, "Tilyoungupsiljec_f", -1, -1, ""},
        {{u"[&D]영업관리"_s, u"[보고용] 판매 및 입금"_s}, "N87", true, "Tiljaprint_f", 3, -1, ""},
        {{u"[&D]영업관리"_s, u"[보고용] 통합"_s}, "N25", true, "Tiljaprint_f", 4, -1, ""},
        {{u"[&D]영업관리"_s, u"관급현황"_s}, "N31", true, "Tiljaprint_f", 6, -1, ""},
        {{u"[&D]영업관리"_s, u"거래처 종합 현황"_s}, "N65", true, "Thyun_misukum_f", -1, -1, ""},
        {{u"[&E]종합자료"_s, u"[&1] 월말자료"_s, u"[&1]  거래처 판매 및 입금"_s}, "N40", true, "Tmastipkum_f", -1, 0, ""},
        {{u"[&E]종합자료"_s, u"[&1] 월말자료"_s, u"[&2]  [출력][거래처][판매및 입금](17)"_s}, "N43", true, "Tulprint_f1", 1, 0, ""},
        {{u"[&E]종합자료"_s, u"[&1] 월말자료"_s, u"[&3]                         [미수(월별)](18)"_s}, "N310", true, "Tulprint_f", 1, -1, ""},
        {{u"[&E]종합자료"_s, u"[&1] 월말자료"_s, u"[&4]                         [잔액확인서](19)"_s}, "N44", true, "Tjankum_f", -1, -1, ""},
        {{u"[&E]종합자료"_s, u"[&1] 월말자료"_s, u"[&5]  [출력][담당자][판매및입금](20)"_s}, "N52", true, "Tulprint_f1", 2, 0, ""},
        {{u"[&E]종합자료"_s, u"[&1] 월말자료"_s, u"[&6]                         [미수(월별)](21)"_s}, "N62", true, "Tulprint_f", 2, -1, ""},
        {{u"[&E]종합자료"_s, u"[&1] 월말자료"_s, u"[&7]  [출력][거래명세서][전일미수](22)"_s}, "N91", true, "Tgareprint_f", 1, 0, ""},
        {{u"[&E]종합자료"_s, u"[&1] 월말자료"_s, u"[&8]                                [판매내역만](23)"_s}, "N101", true, "Tgareprint_f", 2, 0, ""},
        {{u"[&E]종합자료"_s, u"[&1] 월말자료"_s, u"[&9]                                [원장](24)"_s}, "B1", true, "Tgareprint_f", 3, 0, ""},
        {{u"[&E]종합자료"_s, u"[&1] 월말자료"_s, u"[&A]  [출력] [계약량 대 출하량](25)"_s}, "B2", true, "Tilgae_chul_f", -1, 0, ""},
        {{u"[&E]종합자료"_s, u"[&2] 원가"_s, u"[&1] [입력] [원가계산전 금액입력]"_s}, "N111", true, "Tsizewonga_f", -1, -1, ""},
        {{u"[&E]종합자료"_s, u"[&2] 원가"_s, u"[&2] [출력] [원가계산](26)"_s}, "N212", true, "Tulprint_f1", 4, -1, ""},
        {{u"[&E]종합자료"_s, u"[&3] 규격별 관, 사"_s, u"[&1] [확인] [규격별사용]"_s}, "N112", true, "Tsizemast_f", -1, 0, ""},
        {{u"[&E]종합자료"_s, u"[&3] 규격별 관, 사"_s, u"[&2] [출력] [관,사급](27)"_s}, "N213", true, "Tulprint_f1", 3, 0, ""},
        {{u"[&E]종합자료"_s, u"[&4] 년 판매계획입력"_s, u"담당자별목표등록"_s}, "N48", true, "Tdamdang_f", -1, -1, ""},
        {{u"[&E]종합자료"_s, u"[&4] 년 판매계획입력"_s, u"월별 담당자 조회"_s}, "N36", true, "Tdamdang_ul_f", -1, -1, ""},
        {{u"[&E]종합자료"_s, u"[&4] 년 판매계획입력"_s, u"사업장 목표 등록"_s}, "N49", true, "Tcust_yejung_f", -1, -1, ""},
        {{u"[&F]마감"_s, u"년마감"_s}, "N28", true, "Tmakam_f", -1, -1, ""},
        {{u"[&F]마감"_s, u"년마감(전체)"_s}, "N34", true, "YearClosing", -1, -1, ""},
        {{u"[&F]마감"_s, u"운반비 마감"_s}, "N51", true, "Tcar_carry_f", -1, -1, ""},
        {{u"[&F]마감"_s, u"운반비 조회"_s}, "N98", true, "Tcarry_list_f", -1, -1, ""},
        {{u"[&F]마감"_s, u"백          업"_s}, "N27", true, "", -1, -1, ""},
        {{u"[&G]세금계산서"_s, u"판매 및 입금"_s, u"자료 이동"_s}, "N58", true, "Ttax_move_f", -1, 1, ""},
        {{u"[&G]세금계산서"_s, u"판매 및 입금"_s, u"판매 관리"_s}, "N5", true, "Tmast_f", -1, 1, ""},
        {{u"[&G]세금계산서"_s, u"판매 및 입금"_s, u"입금 관리"_s}, "N6", true, "Tipkum_f", -1, 1, ""},
        {{u"[&G]세금계산서"_s, u"판매 및 입금"_s, u"미발행이동"_s}, "N60", true, "Tgiganprn_f", 13, -1, ""},
        {{u"[&G]세금계산서"_s, u"판매 및 입금"_s, u"미발행출력"_s}, "N63", true, "Tgiganprn_f", 14, -1, ""},
        {{u"[&G]세금계산서"_s, u"판매 및 입금"_s, u"   발행출력"_s}, "N64", true, "Tgiganprn_f", 12, -1, ""},
        {{u"[&G]세금계산서"_s, u"계산서"_s, u"입력 및 발행"_s}, "N70", true, "Ttax_f", -1, 1, ""},
        {{u"[&G]세금계산서"_s, u"계산서"_s, u"[세금계산서 합계표](28)"_s}, "N74", true, "Tgiganprn_f", 5, 1, ""},
        {{u"[&G]세금계산서"_s, u"계산서"_s, u"[명세서 발행 내역](29)"_s}, "N75", true, "Tgiganprn_f", 6, 1, ""},
        {{u"[&G]세금계산서"_s, u"계산서"_s, u"[매출장]"_s}, "N59", true, "Tgiganprn_f", 11, 1, ""},
        {{u"[&G]세금계산서"_s, u"자료 출력물"_s, u"거래명세서"_s, u"판매내역만"_s}, "N14", true, "Tgareprint_f", 2, 1, ""},
        {{u"[&G]세금계산서"_s, u"자료 출력물"_s, u"거래명세서"_s, u"원장"_s}, "N16", true, "Tgareprint_f", 3, 1, ""},
        {{u"[&G]세금계산서"_s, u"자료 출력물"_s, u"월말자료"_s, u"[확인] [거래처 판매및입금]"_s}, "N80", true, "Tmastipkum_f", -1, 1, ""},
        {{u"[&G]세금계산서"_s, u"자료 출력물"_s, u"월말자료"_s, u"[출력] [거래처 판매및입금]"_s}, "N81", true, "Tulprint_f1", 1, 1, ""},
        {{u"[&G]세금계산서"_s, u"자료 출력물"_s, u"규격별 관.민수"_s, u"[확인] [규격별 사용]"_s}, "N83", true, "Tsizemast_f", -1, 1, ""},
        {{u"[&G]세금계산서"_s, u"자료 출력물"_s, u"규격별 관.민수"_s, u"[출력] [관.민수]"_s}, "N84", true, "Tulprint_f1", 3, 1, ""},
        {{u"[&G]세금계산서"_s, u"자료 출력물"_s, u"계약량 대 출하량"_s}, "N79", true, "Tilgae_chul_f", -1, 1, ""},
        {{u"[&G]세금계산서"_s, u"마감"_s}, "N57", true, "TaxYearClosing", -1, -1, ""},
        {{u"[&H]조합자료"_s, u"판매 및 입금"_s, u"자료 이동"_s}, "N108", false, "Ttax_move_f", -1, 2, ""},
        {{u"[&H]조합자료"_s, u"판매 및 입금"_s, u"판매 관리"_s}, "N107", false, "Tmast_f", -1, 2, ""},
        {{u"[&H]조합자료"_s, u"계산서"_s, u"입력 및 발행"_s}, "N104", false, "Ttax_f", -1, 2, ""},
        {{u"[&H]조합자료"_s, u"계산서"_s, u"[세금계산서 합계표](28)"_s}, "N281", false, "Tgiganprn_f", 5, 2, ""},
        {{u"[&H]조합자료"_s, u"계산서"_s, u"[명세서 발행 내역](29)"_s}, "N291", false, "Tgiganprn_f", 6, 2, ""},
        {{u"[&H]조합자료"_s, u"계산서"_s, u"[매출장]"_s}, "N32", false, "Tgiganprn_f", 11, 2, ""},
        {{u"[&H]조합자료"_s, u"계산서"_s, u"[규격별 집계표]"_s}, "N39", false, "Tgiganprn_f", 10, 2, ""},
        {{u"[&H]조합자료"_s, u"자료 출력물"_s, u"규격별 가격거래현황"_s}, "N53", false, "Tulprint_f1", 5, -1, ""},
        {{u"[&I]매입자료"_s}, "I1", false, "Tmast_f", -1, 3, ""},
        {{u"[&U]유틸리티"_s, u"Printer Setup"_s}, "menu_s33", true, "", -1, -1, "Ctrl+P"},
        {{u"[&U]유틸리티"_s, u"국가별날짜설정"_s}, "menu_s34", true, "", -1, -1, "Ctrl+T"},
        {{u"[&U]유틸리티"_s, u"디스플레이설정"_s}, "menu_s35", true, "", -1, -1, "Ctrl+D"},
        {{u"[&U]유틸리티"_s, u"시간.일자 설정"_s}, "menu_s36", true, "", -1, -1, "Ctrl+E"},
        {{u"[&U]유틸리티"_s, u"전자계산기"_s}, "menu_s37", true, "", -1, -1, "Ctrl+C"},
        {{u"[&V]규격관리"_s}, "V1", true, "TSIZE_F", -1, -1, ""},
        {{u"[&W] 도움말"_s}, "W1", true, "", -1, -1, ""},
        {{u"[&Z] 종료"_s}, "Z1", true, "", -1, -1, ""},
};

// What a window made by the probe registry saw when it was created.
struct Opened {
    QString name;
    int reportKind;
    int bookMode;
};

class ProbeWindow : public QDialog {
public:
    ProbeWindow(QWidget* parent, const QString& name, QList<Opened>* log)
        : QDialog(parent)
    {
        setObjectName(name);
        log->append({name, session().ReportKind, session().BookMode});
        QTimer::singleShot(0, this, &QDialog::accept); // closes itself once shown modally
    }
};

// A registry with a probe for every window class of the menu; Ttax_f is pre-created.
struct Probes {
    WindowRegistry registry;
    QList<Opened> log;
    int taxWindowsMade = 0;
    Probes()
    {
        QStringList done;
        for (const Expected& e : kMenu) {
            if (e.opens.isEmpty() || done.contains(e.opens))
                continue;
            done << e.opens;
            const QString name = e.opens;
            if (name == "Ttax_f") {
                registry.addPreCreated(name, [this, name](QWidget* p) {
                    ++taxWindowsMade;
                    auto* w = new QDialog(p);
                    w->setObjectName(name);
                    return w;
                });
            } else if (name == "YearClosing" || name == "TaxYearClosing") {
                registry.addCommand(name, [this, name](QWidget*) {
                    log.append({name, session().ReportKind, session().BookMode});
                });
            } else {
                registry.addWindow(name, [this, name](QWidget* p) { return new ProbeWindow(p, name, &log); });
            }
        }
    }
};

QString pathOf(QAction* a)
{
    QStringList texts;
    for (QObject* o = a; o; o = o->parent()) {
        if (auto* act = qobject_cast<QAction*>(o))
            texts.prepend(act->text());
        if (auto* menu = qobject_cast<QMenu*>(o)) {
            if (menu->menuAction() != a && texts.value(0) != menu->title())
                texts.prepend(menu->title());
        }
    }
    return texts.join(" > ");
}

bool reachable(QAction* a)
{
    if (!a->isVisible())
        return false;
    for (QObject* o = a->parent(); o; o = o->parent())
        if (auto* menu = qobject_cast<QMenu*>(o); menu && !menu->menuAction()->isVisible())
            return false;
    return true;
}

// Every entry of the menu bar in menu order: a submenu as the texts leading
// to it, a command by its name.
void walk(const QList<QAction*>& actions, const QStringList& above, QStringList* out)
{
    for (QAction* a : actions) {
        if (a->menu()) {
            *out << (above + QStringList{a->text()}).join(">");
            walk(a->menu()->actions(), above + QStringList{a->text()}, out);
        } else {
            *out << a->objectName();
        }
    }
}

// Logs in through the login window the session start shows.
void answerLogin(const QString& user, const QString& pass, const QString& level, bool cancel = false)
{
    QTimer::singleShot(0, [=] {
        auto* dlg = qobject_cast<TPASSWORD*>(QApplication::activeModalWidget());
        if (!dlg)
            return;
        if (cancel) {
            dlg->findChild<QPushButton*>("Button2")->click();
            return;
        }
        dlg->findChild<QLineEdit*>("useredt")->setText(user);
        dlg->findChild<QLineEdit*>("passedt")->setText(pass);
        dlg->findChild<QLineEdit*>("chuli_l")->setText(level);
        dlg->findChild<QPushButton*>("Button1")->click();
    });
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<TestDb> db_;

    void useTestDatabase()
    {
        db_ = std::make_unique<TestDb>();
        insertRow("youngup", {{"code", "001"}, {"man", "김철수"}, {"pass", "12345"}});
        Config::setOverride("database", db_->path());
    }

private slots:
    void init()
    {
        session() = Session{};
        QGuiApplication::setApplicationDisplayName("varer");
        Messages::startScript();
    }
    void cleanup()
    {
        Messages::stopScript();
        Config::clearOverrides();
        db_.reset();
    }

    void menuMatchesTheOfficeMenu()
    {
        useTestDatabase();
        Probes probes;
        TZIDIDIR w(probes.registry);
        answerLogin("김철수", "12345", "Q");
        QVERIFY(w.startSession());

        QStringList expectedOrder;
        for (const Expected& e : kMenu) {
            QList<QAction*> found = w.findChildren<QAction*>(e.name);
            QCOMPARE(found.size(), 1);
            QAction* a = found.first();
            QCOMPARE(pathOf(a), e.path.join(" > "));
            QVERIFY2(reachable(a) == e.reachable, qPrintable(e.name));
            QCOMPARE(a->shortcut().toString(), e.shortcut);
            QVERIFY2(a->isEnabled() || !e.reachable, qPrintable(e.name)); // Qt disables hidden actions
            for (int i = 1; i < e.path.size(); ++i)
                if (!expectedOrder.contains(e.path.mid(0, i).join(">")))
                    expectedOrder << e.path.mid(0, i).join(">");
            expectedOrder << e.name;
            if (e.opens.isEmpty())
                continue;

            // The command sets the modes, then opens its window.
            session().ReportKind = 99;
            session().BookMode = 99;
            probes.log.clear();
            if (e.opens == "Ttax_f")
                QTimer::singleShot(0, w.preCreatedWindow("Ttax_f"), &QDialog::accept);
            if (e.reachable)
                a->trigger();
            else
                w.runItem(*MainMenu::find(e.name)); // what the hidden command would do
            if (e.opens == "Ttax_f") {
                QVERIFY(probes.log.isEmpty());
            } else {
                QCOMPARE(probes.log.size(), 1);
                QCOMPARE(probes.log[0].name, e.opens);
                QCOMPARE(probes.log[0].reportKind, e.reportKind < 0 ? 99 : e.reportKind);
                QCOMPARE(probes.log[0].bookMode, e.bookMode < 0 ? 99 : e.bookMode);
            }
            QCOMPARE(session().ReportKind, e.reportKind < 0 ? 99 : e.reportKind);
            QCOMPARE(session().BookMode, e.bookMode < 0 ? 99 : e.bookMode);
        }

        // The same entries in the same order, nothing more.
        QStringList entries;
        walk(w.menuBar()->actions(), {}, &entries);
        QCOMPARE(entries, expectedOrder);
    }

    void preCreatedWindowIsShownNotRecreated()
    {
        useTestDatabase();
        Probes probes;
        TZIDIDIR w(probes.registry);
        QCOMPARE(probes.taxWindowsMade, 1); // made with the main window, before any login
        QDialog* tax = w.preCreatedWindow("Ttax_f");
        QVERIFY(tax);
        answerLogin("김철수", "12345", "P");
        QVERIFY(w.startSession());
        int shown = 0;
        connect(tax, &QDialog::finished, [&] { ++shown; });
        for (const char* item : {"N70", "N104"}) {
            QTimer::singleShot(0, tax, &QDialog::accept);
            w.findChild<QAction*>(item)->trigger();
        }
        QCOMPARE(shown, 2);
        QCOMPARE(probes.taxWindowsMade, 1);
        QCOMPARE(session().BookMode, 2);
    }

    void windowsNotBuiltAreDisabled()
    {
        useTestDatabase();
        WindowRegistry empty;
        TZIDIDIR w(empty);
        QVERIFY(!w.menuBar()->isEnabled()); // until the login
        answerLogin("김철수", "12345", "P");
        QVERIFY(w.startSession());
        QVERIFY(w.menuBar()->isEnabled());
        for (const Expected& e : kMenu)
            QVERIFY2(w.findChild<QAction*>(e.name)->isEnabled() == e.opens.isEmpty(), qPrintable(e.name));

        // A window that produces only some of its ReportKinds enables only their items.
        WindowRegistry some;
        some.addWindow("Tiljaprint_f", [](QWidget* p) { return new QDialog(p); }, {2});
        TZIDIDIR w2(some);
        QVERIFY(w2.findChild<QAction*>("N94")->isEnabled());
        for (const char* other : {"N29", "N26", "N87", "N25", "N31"})
            QVERIFY2(!w2.findChild<QAction*>(other)->isEnabled(), other);
    }

    void sessionStartReadsCompanyThenLogsIn()
    {
        useTestDatabase();
        insertRow("enrol", {{"saup", "01"}, {"name", "한빛레미콘"}, {"japum", "레미콘"}});
        insertRow("r_misu", {{"ilja", "2003-02"}, {"grcd", "A001"}, {"code", "001"}});
        insertRow("r_misu", {{"ilja", "2003-01"}, {"grcd", "A002"}, {"code", "001"}});
        WindowRegistry empty;
        TZIDIDIR w(empty);
        QCOMPARE(w.windowTitle(), u"var er"_s);
        answerLogin("김철수", "12345", "R");
        QVERIFY(w.startSession());
        QCOMPARE(w.windowTitle(), u"한빛레미콘"_s);
        QCOMPARE(QGuiApplication::applicationDisplayName(), u"한빛레미콘[레미콘]"_s);
        QCOMPARE(session().SessionSaup, u"01"_s);
        QCOMPARE(session().StartMonth, u"2003-01"_s);
        QCOMPARE(session().SessionUser, u"김철수"_s);
        QCOMPARE(session().SessionLevel, u"R"_s);
        QVERIFY(w.startSession()); // the login runs once
    }

    void noCompanyRowStillLogsIn()
    {
        useTestDatabase();
        WindowRegistry empty;
        TZIDIDIR w(empty);
        answerLogin("김철수", "12345", "P");
        QVERIFY(w.startSession());
        QVERIFY(w.windowTitle().isEmpty());
        QCOMPARE(QGuiApplication::applicationDisplayName(), u"[]"_s);
        QVERIFY(session().StartMonth.isEmpty());
    }

    void failedConnectionShowsTheReasonAndEnds()
    {
        QTemporaryDir tmp;
        const QString missing = tmp.filePath("gone.fdb");
        Config::setOverride("database", missing);
        WindowRegistry empty;
        TZIDIDIR w(empty);
        w.show();
        bool loginShown = false;
        QTimer::singleShot(0, [&] { loginShown = QApplication::activeModalWidget() != nullptr; });
        QVERIFY(!w.startSession());
        QVERIFY(!loginShown);
        QVERIFY(!w.isVisible());
        QCOMPARE(Messages::shown().size(), 1);
        QCOMPARE(Messages::shown()[0].kind, Messages::Kind::Error);
        QVERIFY2(Messages::shown()[0].text.contains(missing), qPrintable(Messages::shown()[0].text));
    }

    void cancelledLoginEnds()
    {
        useTestDatabase();
        WindowRegistry empty;
        TZIDIDIR w(empty);
        w.show();
        answerLogin({}, {}, {}, true);
        QVERIFY(!w.startSession());
        QVERIFY(!w.isVisible());
        QVERIFY(session().SessionUser.isEmpty());
    }

    void backupFromTheMenu()
    {
        useTestDatabase();
        WindowRegistry empty;
        TZIDIDIR w(empty);
        answerLogin("김철수", "12345", "P");
        QVERIFY(w.startSession());
        QAction* backup = w.findChild<QAction*>("N27");

        QTemporaryDir out;
        Config::setOverride("backup_dir", out.path());
        backup->trigger();
        QCOMPARE(Messages::shownTexts(), QStringList{u"백업이 완료되었습니다."_s});
        QVERIFY(QFile::exists(out.filePath(Backup::fileNameFor(QDate::currentDate()))));

        Messages::clearShown();
        Config::setOverride("backup_dir", out.filePath("no-such-folder"));
        backup->trigger();
        QCOMPARE(Messages::shown().size(), 1);
        const QString text = Messages::shown()[0].text;
        QVERIFY2(text.startsWith(u"백업이 완료되지 않았습니다.\n"_s) && text.contains("no-such-folder"), qPrintable(text));
        QVERIFY(w.isEnabled() && w.menuBar()->isEnabled());
    }

    void helpOpensAtItsContents()
    {
        useTestDatabase();
        WindowRegistry empty;
        TZIDIDIR w(empty);
        answerLogin("김철수", "12345", "P");
        QVERIFY(w.startSession());
        w.findChild<QAction*>("W1")->trigger();
        QVERIFY(w.helpWindow() && w.helpWindow()->isVisible());
        QTextBrowser* browser = w.helpWindow()->browser();
        QCOMPARE(browser->source().toString(), HelpWindow::contentsUrl());
        QVERIFY(browser->toPlainText().contains(u"목차"_s));

        // Every page the contents link to is there and links back.
        const QString html = browser->toHtml();
        QRegularExpression link(R"(href="([a-z]+\.html)\")");
        int pages = 0;
        for (auto it = link.globalMatch(html); it.hasNext(); ++pages) {
            const QString page = it.next().captured(1);
            QFile f(":/help/" + page);
            QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(page));
            QVERIFY(QString::fromUtf8(f.readAll()).contains(u"index.html"_s));
        }
        QCOMPARE(pages, 9);
    }

    void utilitiesStartTheDesktopProgramOrSayWhatIsMissing()
    {
        useTestDatabase();
        WindowRegistry empty;
        TZIDIDIR w(empty);
        answerLogin("김철수", "12345", "P");
        QVERIFY(w.startSession());
        const QByteArray path = qgetenv("PATH");

        QTemporaryDir bin;
        qputenv("PATH", bin.path().toUtf8());
        w.findChild<QAction*>("menu_s37")->trigger();
        QCOMPARE(Messages::shown().size(), 1);
        QVERIFY(Messages::shown()[0].text.contains(u"전자계산기"_s));
        QVERIFY(Messages::shown()[0].text.contains("gnome-calculator") && Messages::shown()[0].text.contains("xcalc"));

        // An installed calculator is started.
        Messages::clearShown();
        const QString marker = bin.filePath("started");
        QFile script(bin.filePath("xcalc"));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\n: > '%1'\n").arg(marker).toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        w.findChild<QAction*>("menu_s37")->trigger();
        QTRY_VERIFY(QFile::exists(marker));
        QVERIFY(Messages::shown().isEmpty());
        qputenv("PATH", path);
    }

    void longOperationsDriveTheGauges()
    {
        WindowRegistry empty;
        TZIDIDIR w(empty);
        w.show();
        QProgressBar* g = w.gauge(1);
        QVERIFY(!g->isVisible());
        Progress::current().start(1, 40);
        QVERIFY(g->isVisible());
        Progress::current().step(1, 10);
        QCOMPARE(g->value(), 10);
        QCOMPARE(g->maximum(), 40);
        Progress::current().finish(1);
        QVERIFY(!g->isVisible());
        QVERIFY(!w.gauge(0)->isVisible());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
