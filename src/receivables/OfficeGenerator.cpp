#include "receivables/OfficeGenerator.h"
#include "books/AmountRule.h"
#include "data/Db.h"
#include "data/Progress.h"
#include "data/Routines.h"
#include "data/Session.h"
#include "data/Sql.h"
#include "receivables/YearClosing.h"

#include <QDate>
#include <QFile>
#include <QHash>
#include <QList>
#include <QSqlError>
#include <QSqlQuery>
#include <QTime>
#include <optional>
#include <algorithm>
#include <ibase.h>
#include <random>
#include <stdexcept>

namespace {

const QString kSaup = QStringLiteral("01");
const QString kApproved = QStringLiteral("결재");

// Deterministic draws that do not depend on the standard library's distributions.
class Draw {
public:
    explicit Draw(quint32 seed) : gen_(seed) {}
    // 0 .. n-1
    int below(int n) { return n <= 1 ? 0 : int(gen_() % quint32(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T> const T& pick(const QList<T>& list) { return list.at(below(int(list.size()))); }
private:
    std::mt19937 gen_;
};

struct Spec {
    QString code, standard;
    double kwanDanga = 0, saDanga = 0;
};

struct Customer {
    QString grcd, name, kawnSa, vat, julsa;
    bool integrated = false;
};

struct Site {
    int customer = 0;
    QString code, name, misu, manCode, manName;
    double orderNul = 100;
    QDate first, last; // the stretch in which it takes concrete
    double dist = 0;
    int holder = -1;   // index into the holders
};

struct Holder {
    QString grcd, code, grcdName, codeName, kawnSa, misu, manCode, manName;
    int payDay = 1;            // day of the month it pays
    long double lastMonth = 0; // sales of the month before
    long double thisMonth = 0;
};

const QStringList kSyllables = {"대", "한", "성", "진", "우", "명", "동", "서", "남", "북", "신", "영",
                                "광", "현", "태", "경", "산", "원", "평", "화", "보", "정", "금", "석"};
const QStringList kCustomerKinds = {"건설", "종합건설", "산업개발", "토건", "건영", "개발"};
const QStringList kDistricts = {"강남", "서초", "송파", "분당", "수원", "용인", "화성", "평택",
                                "인천", "부천", "김포", "파주", "일산", "하남", "광주", "이천"};
const QStringList kBuildings = {"아파트", "오피스텔", "물류센터", "공장", "학교", "도로", "교량", "주상복합"};
const QStringList kStaff = {"김영수", "이민호", "박서준", "최지훈", "정우성", "강동원", "조인성", "윤계상"};
const QStringList kBanks = {"국민은행", "신한은행", "우리은행", "하나은행", "농협", "기업은행"};

QString syllables(Draw& d, int n)
{
    QString s;
    for (int i = 0; i < n; ++i)
        s += d.pick(kSyllables);
    return s;
}

QString dayText(const QDate& d) { return d.toString(QStringLiteral("yyyy-MM-dd")); }

bool workingDay(const QDate& d) { return d.dayOfWeek() != Qt::Sunday; }

// Largest multiple of 1,000 not above x.
double thousands(long double x) { return double(Int(x / 1000) * 1000); }

// Forced writes make the engine wait for the disk at every page it writes
// back; a bulk load runs without them and puts the database's own setting
// back when it is done. The switch is made on an attachment of its own while
// the shared connection is closed, so that connection reopens with it.
class UnforcedWrites {
public:
    UnforcedWrites()
    {
        if (Transaction::active())
            return;
        settings_ = Db::current();
        std::optional<bool> forced = forcedWrites();
        if (!forced || !*forced)
            return;
        Db::close();
        changed_ = setForcedWrites(false);
        Db::open(settings_);
    }
    ~UnforcedWrites()
    {
        if (!changed_)
            return;
        try {
            Db::close();
            setForcedWrites(true);
            Db::open(settings_);
        } catch (...) {
        }
    }
    UnforcedWrites(const UnforcedWrites&) = delete;
    UnforcedWrites& operator=(const UnforcedWrites&) = delete;

private:
    // Attaches with extra parameters; 0 when the attachment is refused.
    isc_db_handle attach(const QByteArray& extra) const
    {
        QByteArray dpb(1, char(isc_dpb_version1));
        const QByteArray user = (settings_.user.isEmpty() ? QStringLiteral("SYSDBA") : settings_.user).toUtf8();
        const QByteArray password = settings_.password.toUtf8();
        dpb.append(char(isc_dpb_user_name)).append(char(user.size())).append(user);
        if (!password.isEmpty())
            dpb.append(char(isc_dpb_password)).append(char(password.size())).append(password);
        dpb.append(extra);
        const QByteArray path = settings_.isRemote() ? settings_.database.toUtf8() : QFile::encodeName(settings_.database);
        ISC_STATUS_ARRAY status{};
        isc_db_handle h = 0;
        if (isc_attach_database(status, 0, path.constData(), &h, short(dpb.size()), dpb.constData()))
            return 0;
        return h;
    }
    std::optional<bool> forcedWrites() const
    {
        isc_db_handle h = attach({});
        if (!h)
            return std::nullopt;
        const char items[] = {isc_info_forced_writes, isc_info_end};
        char buffer[32] = {};
        ISC_STATUS_ARRAY status{};
        std::optional<bool> result;
        if (!isc_database_info(status, &h, sizeof items, items, sizeof buffer, buffer)
            && buffer[0] == isc_info_forced_writes) {
            const short len = short(isc_vax_integer(buffer + 1, 2));
            result = isc_vax_integer(buffer + 3, len) != 0;
        }
        isc_detach_database(status, &h);
        return result;
    }
    bool setForcedWrites(bool on) const
    {
        QByteArray extra;
        extra.append(char(isc_dpb_force_write)).append(char(1)).append(char(on ? 1 : 0));
        isc_db_handle h = attach(extra);
        if (!h)
            return false;
        ISC_STATUS_ARRAY status{};
        isc_detach_database(status, &h);
        return true;
    }

    DbSettings settings_;
    bool changed_ = false;
};

} // namespace

QString GeneratedDayNumber(int n)
{
    static const QString alnum = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    if (n >= 1 && n <= 99)
        return PadDigits(QString::number(n), 2);
    const int k = n - 100;
    if (k < 0 || k >= 26 * 36)
        throw std::out_of_range("a day holds at most 1035 generated rows");
    return QString(QChar('A' + k / 36)) + alnum.at(k % 36);
}

GenerateSummary GenerateOffice(const GenerateOptions& o)
{
    if (o.years < 1 || o.customers < 1 || o.sites < o.customers || o.customers > 26 * 999 || o.lastYear < o.years
        || o.lastYear > 9999)
        throw std::invalid_argument("generate: years >= 1, 1 <= customers <= 25974, sites >= customers");
    if (Sql::exists(QStringLiteral("select 1 from customer")))
        throw DbError(QStringLiteral("이 데이터베이스에는 이미 거래처가 있습니다: 빈 데이터베이스에만 생성합니다."));

    const UnforcedWrites bulk;
    Draw d(o.seed);
    GenerateSummary sum;
    const QDate first(o.lastYear - o.years + 1, 1, 1);
    const QDate last(o.lastYear, 12, 31);
    sum.firstDay = dayText(first);
    sum.lastDay = dayText(last);
    const QString startMonth = first.toString(QStringLiteral("yyyy-MM"));

    // --- masters -----------------------------------------------------------
    QList<Spec> specs;
    QList<Customer> customers;
    QList<Site> sites;
    QList<Holder> holders;
    QStringList trucks;
    {
        Transaction tx;
        Sql::exec(QStringLiteral("insert into enrol (saup, name, daepyo, japum) values (?, ?, ?, ?)"),
                  {kSaup, QStringLiteral("대성레미콘"), QStringLiteral("김대성"), QStringLiteral("레미콘")});
        Sql::Prepared staff(QStringLiteral("insert into youngup (saup, code, man, pass, man_status) values (?, ?, ?, ?, ?)"));
        for (int i = 0; i < kStaff.size(); ++i)
            staff.exec({kSaup, PadDigits(QString::number(i + 1), 3), kStaff.at(i), QStringLiteral("1111"),
                        QStringLiteral("정상")});
        staff.exec({kSaup, QStringLiteral("111"), QStringLiteral("관리자"), QStringLiteral("1234"), QStringLiteral("정상")});
        staff.exec({kSaup, QStringLiteral("589"), QStringLiteral("정정"), QStringLiteral("589"), QStringLiteral("정상")});

        Sql::Prepared spec(QStringLiteral("insert into r_size (saup, remi_code, ilja, gubun, kind, standard, rul_ks,"
                                          " kwan_danga, sa_danga) values (?, ?, ?, '0', ?, ?, 'KS', ?, ?)"));
        const QList<int> strengths = {18, 21, 24, 27, 30, 35};
        const QList<int> slumps = {80, 120, 150, 180};
        for (int s : strengths)
            for (int sl : slumps) {
                Spec x;
                x.code = QString::number(1000 + specs.size() + 1);
                x.standard = QStringLiteral("25-%1-%2").arg(s).arg(sl);
                x.saDanga = 58000 + s * 1000 + sl * 10;
                x.kwanDanga = double(Int((long double)x.saDanga * 0.92L / 10) * 10);
                spec.exec({kSaup, x.code, dayText(first), QStringLiteral("레미콘"), x.standard, int(x.kwanDanga),
                           int(x.saDanga)});
                specs << x;
            }

        Sql::Prepared truck(QStringLiteral("insert into car_code (saup, code, scode, name, m3, company, c_bool,"
                                           " c_otime, c_msum, c_dsum, c_state) values (?, ?, ?, ?, 6, ?, 'Y',"
                                           " '00:00', 0, 0, '0')"));
        for (int i = 0; i < 40; ++i) {
            const QString scode = QString::number(1001 + i * 37);
            const QString code = QStringLiteral("%1-%2-%3").arg(PadDigits(QString::number(10 + i % 80), 2), scode)
                                     .arg(i % 10);
            truck.exec({kSaup, code, scode, d.pick(kStaff), i < 25 ? QStringLiteral("자사") : QStringLiteral("지입")});
            trucks << code;
        }

        Sql::Prepared customer(QStringLiteral(
            "insert into customer (saup, grcd, cust_set, cust_seq, name, daepyo, kawn_sa, misu, vat, ilja, post_yn,"
            " rank, enable, julsa) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'Y', 'A', 'Y', ?)"));
        for (int i = 0; i < o.customers; ++i) {
            Customer c;
            const QString set(QChar('A' + i / 999));
            const QString seq = PadDigits(QString::number(i % 999 + 1), 3);
            c.grcd = set + seq;
            c.name = QStringLiteral("(주)") + syllables(d, 2) + d.pick(kCustomerKinds);
            const int cls = d.below(100);
            c.kawnSa = cls < 15 ? QStringLiteral("K") : cls < 25 ? QStringLiteral("L") : cls < 75 ? QStringLiteral("S")
                                                                                              : QStringLiteral("T");
            c.integrated = d.chance(25);
            const int v = d.below(100);
            c.vat = v < 80 ? QStringLiteral("V") : v < 95 ? QStringLiteral("N") : QStringLiteral("X");
            c.julsa = QStringLiteral("100");
            customer.exec({kSaup, c.grcd, set, seq, c.name, syllables(d, 3), c.kawnSa,
                           c.integrated ? QStringLiteral("G") : QStringLiteral("H"), c.vat, dayText(first), c.julsa});
            customers << c;
        }

        // Every customer has a site; the others go to customers drawn at random.
        QList<int> siteCount(customers.size(), 1);
        for (int i = o.customers; i < o.sites; ++i) {
            int c = d.below(o.customers);
            while (siteCount[c] >= 999)
                c = (c + 1) % o.customers;
            ++siteCount[c];
        }
        const int totalDays = int(first.daysTo(last)) + 1;
        Sql::Prepared site(QStringLiteral(
            "insert into r_hyunjang (saup, grcd, grcd_name, code, name, grcode, kawn_sa, misu, man_code, man_name,"
            " order_nul, build, ilja) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        Sql::Prepared opening(QStringLiteral("insert into r_misu (saup, grcd, code, ilja, kum) values (?, ?, ?, ?, ?)"));
        auto addHolder = [&](const Customer& c, const QString& code, const QString& name, const QString& misu,
                             const QString& manCode, const QString& manName) {
            Holder h{c.grcd, code, c.name, name, c.kawnSa, misu, manCode, manName, d.between(1, 28), 0, 0};
            holders << h;
            if (d.chance(60)) {
                opening.exec({kSaup, c.grcd, code, startMonth, double(d.between(1, 5000) * 10000)});
                ++sum.openings;
            }
            return int(holders.size()) - 1;
        };
        for (int ci = 0; ci < customers.size(); ++ci) {
            const Customer& c = customers.at(ci);
            const int staffNo = d.below(int(kStaff.size()));
            const QString manCode = PadDigits(QString::number(staffNo + 1), 3);
            const QString manName = kStaff.at(staffNo);
            int whole = -1;
            if (c.integrated) {
                site.exec({kSaup, c.grcd, c.name, QStringLiteral("000"), QStringLiteral("현장통합"),
                           c.grcd + QStringLiteral("000"), c.kawnSa, QStringLiteral("T"), manCode, manName, 100.0,
                           QString(), dayText(first)});
                whole = addHolder(c, QStringLiteral("000"), QStringLiteral("현장통합"), QStringLiteral("T"), manCode,
                                  manName);
                ++sum.sites;
            }
            for (int k = 1; k <= siteCount[ci]; ++k) {
                Site s;
                s.customer = ci;
                s.code = PadDigits(QString::number(k), 3);
                s.name = d.pick(kDistricts) + syllables(d, 1) + d.pick(kBuildings) + QString::number(k) + QStringLiteral("현장");
                s.misu = c.integrated ? QStringLiteral("G") : QStringLiteral("H");
                s.manCode = manCode;
                s.manName = manName;
                s.orderNul = AmountRule::isPublic(c.kawnSa) ? 100.0 : double(d.between(85, 100));
                s.first = first.addDays(d.below(std::max(1, totalDays - 60)));
                s.last = std::min(last, s.first.addMonths(d.between(6, 60)));
                s.dist = d.between(3, 40);
                site.exec({kSaup, c.grcd, c.name, s.code, s.name, c.grcd + s.code, c.kawnSa, s.misu, manCode, manName,
                           s.orderNul, syllables(d, 2) + QStringLiteral("건설"), dayText(s.first)});
                s.holder = c.integrated ? whole : addHolder(c, s.code, s.name, s.misu, manCode, manName);
                sites << s;
                ++sum.sites;
            }
        }
        tx.commit();
    }
    sum.customers = int(customers.size());
    sum.specs = int(specs.size());
    sum.trucks = int(trucks.size());
    sum.holders = int(holders.size());

    // --- the books, day by day ----------------------------------------------
    Sql::Prepared order(QStringLiteral(
        "insert into r_suju (saup, ilja, seq, grcd, v_inout, code, v_station, ground, dist, time_, remi_code, v_rule,"
        " kind, order_m3, danga, vat, v_okno, memo, cement, v_outorder, v_ftime, v_ltime, v_ccount, v_nocarin,"
        " v_cincout, v_state, v_reorder) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'OK', '', ?, ?, ?,"
        " ?, ?, 0, '00:00', ?, 0)"));
    Sql::Prepared load(QStringLiteral(
        "insert into cholha (o_fdate, o_scode, o_date, o_otime, o_count, o_carnum, o_ccode, o_hogi, o_outorder,"
        " o_return) values (?, ?, ?, ?, ?, ?, ?, ?, ?, '')"));
    Sql::Prepared sale(QStringLiteral(
        "insert into r_mast (saup, ilja, ul, yun, seq, grcd, grcd_name, code, code_name, kawn_sa, misu, man_code,"
        " man_name, remi_code, kind, standard, m3, danga, vat, kum, vatkum, hap, yul, memo, okno)"
        " values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, '', ?)"));
    Sql::Prepared deposit(QStringLiteral(
        "insert into r_ipkum (saup, ilja, ul, yun, jun, grcd, grcd_name, code, code_name, kawn_sa, misu, man_code,"
        " man_name, hyun, au, gi, hal, dea, lee, hap_kum, card_num, bank, last_date, memo, okno)"
        " values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, '', ?)"));

    // Months on gauge 1; the closings at the end report on gauge 0.
    const int months = o.years * 12;
    Progress::current().start(1, months);
    struct GaugeEnd {
        ~GaugeEnd() { Progress::current().finish(1); }
    };
    std::optional<GaugeEnd> gaugeEnd(std::in_place);

    QList<int> active; // sites taking concrete today
    QList<int> payers;
    for (int m = 0; m < months; ++m) {
        const QDate monthStart = first.addMonths(m);
        Transaction tx;
        for (QDate day = monthStart; day.month() == monthStart.month(); day = day.addDays(1)) {
            if (!workingDay(day))
                continue;
            const QString ilja = dayText(day);
            const QString ul = ilja.left(7);
            const QString yun = ilja.left(4);

            // Orders, loads and their sales rows.
            active.clear();
            for (int i = 0; i < sites.size(); ++i)
                if (day >= sites[i].first && day <= sites[i].last && d.chance(o.deliveryRate))
                    active << i;
            int number = 0;
            for (int si : active) {
                const Site& s = sites.at(si);
                const Customer& c = customers.at(s.customer);
                Holder& h = holders[s.holder];
                const Spec& spec = specs.at(d.below(int(specs.size())));
                const QString seq = GeneratedDayNumber(++number);
                const double m3 = d.between(12, 60) / 2.0; // 6 to 30 m3
                AmountRule::PriceBasis basis{c.kawnSa, c.julsa, s.orderNul, spec.kwanDanga, spec.saDanga};
                const double danga = AmountRule::proposedPrice(basis, c.vat).value_or(spec.saDanga);
                const auto amounts = AmountRule::closingAmounts(m3, danga, c.vat);
                const double yul = AmountRule::closingRate(c.kawnSa, danga, spec.saDanga);
                const int loads = int((m3 + 5.999) / 6);
                const QTime firstTime(7, 0);
                order.exec({kSaup, ilja, seq, c.grcd, c.name, s.code, s.name, QStringLiteral("본동 타설"), s.dist,
                            firstTime.toString(QStringLiteral("HH:mm")), spec.code, spec.standard,
                            QStringLiteral("레미콘"), m3, danga, c.vat, QStringLiteral("포틀랜드1종"), m3,
                            firstTime.toString(QStringLiteral("HH:mm")),
                            firstTime.addSecs(20 * 60 * (loads - 1)).toString(QStringLiteral("HH:mm")), loads,
                            QStringLiteral("마감")});
                double left = m3;
                for (int l = 1; l <= loads; ++l) {
                    const double q = std::min(6.0, left);
                    left -= q;
                    load.exec({ilja, seq, ilja,
                               firstTime.addSecs(20 * 60 * (l - 1)).toString(QStringLiteral("HH:mm:ss")),
                               PadDigits(QString::number(l), 3), trucks.at((number + l) % trucks.size()),
                               QString::number(l), QStringLiteral("1"), q});
                }
                sum.loads += loads;
                ++sum.orders;
                sale.exec({kSaup, ilja, ul, yun, seq, c.grcd, c.name, s.code, s.name, c.kawnSa, s.misu, s.manCode,
                           s.manName, spec.code, QStringLiteral("레미콘"), spec.standard, m3, danga, c.vat,
                           amounts->kum, amounts->vatkum, amounts->hap, yul, kApproved});
                ++sum.sales;
                h.thisMonth += amounts->hap;
            }

            // Deposits: on its pay day (or the first working day after it) a
            // holder pays most of the month before's sales.
            payers.clear();
            for (int i = 0; i < holders.size(); ++i) {
                const Holder& h = holders.at(i);
                const int due = std::min(h.payDay, day.daysInMonth());
                const bool today = day.day() == due || (day.day() == due + 1 && !workingDay(day.addDays(-1)));
                if (today && h.lastMonth > 0)
                    payers << i;
            }
            number = 0;
            for (int hi : payers) {
                const Holder& h = holders.at(hi);
                const long double owed = h.lastMonth * d.between(70, 100) / 100;
                double au = 0, gi = 0, hyun = 0, hal = 0, dea = 0, lee = 0;
                QString card, bank, due;
                if (d.chance(25)) {
                    au = thousands(owed);
                    card = QStringLiteral("가") + QString::number(10000000 + d.below(89999999));
                    bank = d.pick(kBanks);
                    due = dayText(day.addDays(90));
                } else if (d.chance(10)) {
                    hyun = thousands(owed);
                } else {
                    gi = thousands(owed);
                    bank = d.pick(kBanks);
                }
                if (d.chance(5))
                    hal = double(d.between(1, 50) * 1000);
                if (d.chance(3))
                    dea = double(d.between(1, 100) * 10000);
                if (d.chance(2))
                    lee = double(d.between(1, 9) * 1000);
                deposit.exec({kSaup, ilja, ul, yun, GeneratedDayNumber(++number), h.grcd, h.grcdName, h.code,
                              h.codeName, h.kawnSa, h.misu, h.manCode, h.manName, hyun, au, gi, hal, dea, lee,
                              hyun + au + gi + hal + dea, card, bank, due, kApproved});
                ++sum.deposits;
            }
        }
        for (Holder& h : holders) {
            h.lastMonth = h.thisMonth;
            h.thisMonth = 0;
        }
        tx.commit();
        Progress::current().step(1, m + 1);
    }

    gaugeEnd.reset();

    // --- closings of the past years, in order ---------------------------------
    session().loadCompany();
    for (int y = first.year(); y < o.lastYear; ++y)
        sum.closings += YearClosing(y, 0);

    // Fresh index statistics, as a restored database has them.
    QStringList indexes;
    Sql::forEach(QStringLiteral("select trim(rdb$index_name) from rdb$indices where rdb$system_flag = 0"
                                " or rdb$system_flag is null"),
                 {}, [&](const QSqlQuery& q) { indexes << Sql::textOf(q.value(0)); });
    for (const QString& index : indexes) {
        QSqlQuery q(Db::connection());
        if (!q.exec(QStringLiteral("set statistics index %1").arg(index)))
            throw DbError(q.lastError().text());
    }
    return sum;
}
