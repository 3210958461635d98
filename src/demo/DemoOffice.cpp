#include "demo/DemoOffice.h"
#include "books/AmountRule.h"
#include "data/Routines.h"
#include "data/Sql.h"
#include "demo/PlantShip.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QPair>
#include <QRandomGenerator>
#include <QSet>
#include <QStringList>
#include <algorithm>
#include <optional>

namespace {

using Values = QList<QPair<QString, QVariant>>;

void insert(const QString& table, const Values& values)
{
    QStringList columns, marks;
    Sql::Binds binds;
    for (const auto& [column, value] : values) {
        columns << column;
        marks << QStringLiteral("?");
        binds << value;
    }
    Sql::exec(QStringLiteral("insert into %1 (%2) values (%3)").arg(table, columns.join(QStringLiteral(", ")),
                                                                     marks.join(QStringLiteral(", "))),
              binds);
}

QString dayText(const QDate& d) { return d.toString(QStringLiteral("yyyy-MM-dd")); }
QString monthText(const QDate& d) { return d.toString(QStringLiteral("yyyy-MM")); }
// Monday to Friday, except the public holidays that fall on a fixed date.
bool isWorkingDay(const QDate& d)
{
    static const QStringList holidays = {"01-01", "03-01", "05-05", "06-06", "08-15", "10-03", "10-09", "12-25"};
    return d.dayOfWeek() <= 5 && !holidays.contains(d.toString(QStringLiteral("MM-dd")));
}

// ---------------------------------------------------------------------------
// Fixed content of the office.

struct StaffDef {
    const char* code;
    const char* man;
    const char* pass;
    const char* status;
};

const StaffDef kStaff[] = {
    {"001", "김영수", "1111", "정상"}, {"002", "이정훈", "2222", "정상"}, {"003", "박민호", "3333", "정상"},
    {"004", "최수진", "4444", "정상"}, {"005", "정대현", "5555", "퇴사"}, {"006", "강서연", "6666", "정상"},
    {"100", "윤재석", "1000", "정상"}, {"111", "관리자", "1234", "정상"}, {"301", "송기현", "3010", "정상"},
    {"302", "배성철", "3020", "정상"}, {"501", "임재웅", "5010", "정상"}, {"502", "노승훈", "5020", "정상"},
    {"589", "출하마감", "589", "정상"}, {"900", "admin", "1234", "정상"},
};
// Sales staff who look after private sites.
const char* const kSalesStaff[] = {"001", "002", "003", "004", "006"};
const char* const kPublicDesk = "100";

struct CustomerDef {
    const char* grcd;
    char kawnSa;
    char misu;
    const char* vat;
    const char* julsa;
    char rank;
    int sites;
    const char* name;
};

const CustomerDef kCustomers[] = {
    {"A001", 'K', 'G', "N", "0", 'A', 3, "화성시청"},
    {"A002", 'K', 'G', "N", "0", 'A', 2, "오산시청"},
    {"A003", 'K', 'G', "N", "0", 'A', 2, "평택시 상하수도사업소"},
    {"A004", 'K', 'H', "N", "0", 'A', 3, "경기도 건설본부"},
    {"A005", 'K', 'G', "N", "", 'B', 2, "한국농어촌공사 화성지사"},
    {"A006", 'K', 'H', "N", "0", 'A', 2, "용인교육지원청"},
    {"A007", 'K', 'G', "V", "0", 'B', 1, "안성시 농업기술센터"},
    {"A008", 'K', 'H', "N", "0", 'A', 2, "수원시 도로관리사업소"},
    {"B001", 'L', 'G', "N", "0", 'A', 2, "시흥시 시설관리공단"},
    {"B002", 'L', 'H', "N", "0", 'B', 2, "의왕시청"},
    {"B003", 'L', 'G', "V", "0", 'A', 1, "군포도시공사"},
    {"B004", 'L', 'H', "N", "", 'A', 2, "안산도시공사"},
    {"B005", 'L', 'G', "X", "0", 'B', 1, "평택항만공사"},
    {"B006", 'L', 'H', "N", "0", 'A', 2, "화성교육지원청"},
    {"C001", 'S', 'H', "V", "10", 'A', 3, "(주)대성종합건설"},
    {"C002", 'S', 'G', "V", "100", 'A', 3, "한결건설(주)"},
    {"C003", 'S', 'H', "V", "1", 'B', 2, "(주)동아토건"},
    {"C004", 'S', 'G', "N", "10", 'B', 2, "삼진산업개발(주)"},
    {"C005", 'S', 'H', "V", "0", 'A', 2, "(주)미래이앤씨"},
    {"C006", 'S', 'H', "X", "", 'C', 1, "세광건설(주)"},
    {"C007", 'S', 'G', "V", "10", 'B', 2, "(주)우림토건"},
    {"C008", 'S', 'H', "N", "100", 'C', 2, "청운종합건설(주)"},
    {"C009", 'S', 'H', "V", "1", 'D', 1, "(주)태영산업"},
    {"C010", 'S', 'G', "V", "", 'A', 3, "(주)한마음건설"},
    {"C011", 'S', 'H', "V", "10", 'E', 1, "남양건설(주)"},
    {"C012", 'S', 'H', "N", "0", 'B', 2, "(주)서해개발"},
    {"C013", 'S', 'G', "X", "100", 'C', 2, "보광건설(주)"},
    {"C014", 'S', 'H', "V", "10", 'F', 1, "(주)신우종합건설"},
    {"D001", 'T', 'H', "V", "10", 'B', 1, "제일건재상사"},
    {"D002", 'T', 'H', "N", "100", 'C', 2, "(주)성원주택"},
    {"D003", 'T', 'H', "X", "1", 'D', 1, "대한조경"},
    {"D004", 'T', 'G', "V", "10", 'C', 2, "우성건축"},
    {"D005", 'T', 'H', "N", "", 'E', 1, "평화농장"},
    {"D006", 'T', 'H', "V", "0", 'B', 1, "(주)그린하우징"},
    {"D007", 'T', 'H', "X", "", 'D', 1, "동진설비"},
    {"D008", 'T', 'G', "N", "10", 'A', 2, "행복주택건설"},
    {"D009", 'T', 'H', "V", "100", 'C', 1, "(주)정우개발"},
    {"D010", 'T', 'H', "X", "1", 'F', 1, "김철수(개인)"},
    {"D011", 'T', 'H', "N", "10", 'E', 1, "새마을축산"},
    {"D012", 'T', 'H', "V", "", 'B', 1, "(주)다온하우징"},
};

const char* const kPublicProjects[] = {
    "하수관로 정비공사", "배수지 증설공사", "도시계획도로 개설공사", "제방 보강공사", "공영주차장 건립공사",
    "복합문화센터 신축공사", "초등학교 증축공사", "체육관 신축공사", "농업용수로 정비공사", "교량 보수공사",
    "행정복지센터 신축공사", "하천 정비사업",
};
const char* const kPrivateProjects[] = {
    "오피스텔 신축공사", "아파트 신축공사", "물류센터 신축공사", "공장 증축공사", "창고 신축공사",
    "근린생활시설 신축", "단독주택 신축", "다세대주택 신축", "축사 신축공사", "농가 진입로 포장",
    "상가 신축공사", "주차장 바닥 타설",
};
const char* const kBuilders[] = {
    "(주)대성종합건설", "한결건설(주)", "(주)동아토건", "세광건설(주)", "(주)우림토건", "청운종합건설(주)",
    "(주)서해개발", "보광건설(주)", "남양건설(주)", "(주)미래이앤씨",
};
const char* const kSurnames[] = {"김", "이", "박", "최", "정", "강", "조", "윤", "장", "임", "한", "오", "서", "신", "권", "황"};
const char* const kGivenNames[] = {"민수", "영호", "성진", "재훈", "동욱", "상철", "미경", "지훈", "현우", "정숙",
                                   "광수", "태식", "은주", "병철", "승민", "경호", "순자", "용석", "기태", "하늘"};
const char* const kBanks[] = {"국민은행", "신한은행", "우리은행", "하나은행", "농협은행", "기업은행", "수협은행"};
const char* const kGrounds[] = {"기초 매트", "1층 슬라브", "2층 슬라브", "지하 옹벽", "기둥", "계단실",
                                "보도 포장", "관로 되메우기", "옹벽", "바닥 타설", "집수정", "3층 슬라브"};
const char* const kOrderMemos[] = {"", "", "", "", "펌프카 동반", "오전 타설", "현장 진입로 협소", "야간 작업 불가",
                                   "도착 전 연락"};
const char* const kTimes[] = {"07:30", "08:00", "08:00", "08:30", "09:00", "09:30", "10:00", "10:30",
                              "11:00", "13:00", "13:30", "14:00"};
const double kQuantities[] = {3, 4.5, 6, 6, 7.5, 12, 12, 13.5, 18, 18, 24, 24, 30, 36, 42, 45, 48, 60, 72, 90, 120};

// Postal-code sample: districts with their area code, the first three digits
// of their postal codes and their neighbourhoods (towns listed with villages).
struct District {
    const char* city;
    const char* ddd;
    const char* prefix;
    const char* places; // "동" or "읍:리,리,리" separated by '|'
};

const District kDistricts[] = {
    {"서울특별시 강남구", "02", "135", "역삼동|삼성동|대치동|개포동|논현동|압구정동|청담동|도곡동|신사동|일원동|수서동|세곡동"},
    {"서울특별시 서초구", "02", "137", "서초동|반포동|방배동|양재동|잠원동|내곡동"},
    {"서울특별시 송파구", "02", "138", "잠실동|가락동|문정동|방이동|석촌동|송파동|오금동|거여동|마천동|풍납동"},
    {"서울특별시 영등포구", "02", "150", "여의도동|당산동|문래동|양평동|신길동|대림동|도림동"},
    {"서울특별시 마포구", "02", "121", "공덕동|아현동|도화동|서교동|합정동|망원동|연남동|상암동"},
    {"경기도 수원시 팔달구", "031", "442", "인계동|매교동|우만동|지동|화서동"},
    {"경기도 수원시 영통구", "031", "443", "영통동|매탄동|원천동|이의동|망포동"},
    {"경기도 수원시 장안구", "031", "440", "정자동|조원동|파장동|율전동|천천동"},
    {"경기도 수원시 권선구", "031", "441", "권선동|세류동|금곡동|호매실동|입북동|고색동"},
    {"경기도 화성시", "031", "445",
     "봉담읍:와우리,수기리,상리,분천리,왕림리,세곡리|향남읍:발안리,평리,하길리,구문천리,도이리|"
     "남양읍:남양리,북양리,신남리,시리|우정읍:조암리,화산리,주곡리|팔탄면:구장리,노하리,가재리,율암리|"
     "매송면:어천리,야목리,원리|비봉면:양노리,삼화리,구포리|마도면:석교리,두곡리,청원리|송산면:사강리,고정리,칠곡리|"
     "서신면:매화리,궁평리,상안리|정남면:괘랑리,보통리,관항리|양감면:요당리,사창리|반송동|능동|병점동|진안동|기산동|동탄면:영천리,중리"},
    {"경기도 오산시", "031", "447", "오산동|원동|부산동|궐동|세교동|갈곶동|내삼미동|외삼미동"},
    {"경기도 평택시", "031", "450",
     "비전동|세교동|합정동|안중읍:안중리,현화리,송담리|포승읍:원정리,도곡리,내기리|청북읍:어연리,고잔리|"
     "팽성읍:안정리,송화리,객사리|고덕면:좌교리,여염리|진위면:견산리,청호리|서탄면:사리,금각리|송탄동|지산동"},
    {"경기도 용인시 처인구", "031", "449",
     "김량장동|역북동|삼가동|포곡읍:둔전리,삼계리|모현읍:왕산리,갈담리|이동읍:천리,묵리|남사읍:아곡리,완장리|"
     "원삼면:좌항리,고당리|백암면:백암리,근창리|양지면:양지리,남곡리"},
    {"경기도 용인시 기흥구", "031", "446", "구갈동|신갈동|보정동|마북동|동백동|상갈동|영덕동|서천동"},
    {"경기도 용인시 수지구", "031", "448", "풍덕천동|죽전동|상현동|성복동|신봉동|동천동"},
    {"경기도 안성시", "031", "456",
     "석정동|공도읍:만정리,용두리,진사리|보개면:기좌리,북가현리|금광면:금광리,오흥리|서운면:인리,신촌리|"
     "미양면:계륵리,구수리|대덕면:모산리,내리|일죽면:송천리,화봉리|죽산면:죽산리,매산리|삼죽면:용월리,배태리"},
    {"경기도 안산시 단원구", "031", "425", "고잔동|원곡동|선부동|와동|초지동|대부동"},
    {"경기도 안산시 상록구", "031", "426", "사동|본오동|부곡동|월피동|일동|이동"},
    {"경기도 시흥시", "031", "429", "정왕동|대야동|신천동|은행동|월곶동|장곡동|목감동|과림동"},
    {"경기도 의왕시", "031", "437", "오전동|고천동|내손동|청계동|포일동|학의동"},
    {"경기도 군포시", "031", "435", "산본동|금정동|당동|부곡동|대야미동"},
    {"경기도 성남시 분당구", "031", "463", "정자동|서현동|수내동|야탑동|이매동|금곡동|구미동|판교동"},
    {"인천광역시 남동구", "032", "405", "구월동|간석동|만수동|논현동|고잔동"},
    {"인천광역시 연수구", "032", "406", "송도동|연수동|청학동|동춘동|옥련동"},
    {"충청남도 천안시 서북구", "041", "331", "성정동|두정동|백석동|쌍용동|성환읍:성환리,매주리|직산읍:군서리,삼은리"},
    {"충청남도 아산시", "041", "336", "배방읍:공수리,북수리|탕정면:매곡리,호산리|온양동|둔포면:둔포리,석곡리|음봉면:산동리,동천리"},
};

// ---------------------------------------------------------------------------
// The office as it is built, kept in memory so that every copy agrees.

struct ZipRow {
    QString post, dong, juso, ddd;
};

struct Site {
    QString grcd, grcdName, code, name, kawnSa, misu, manCode, manName;
    double orderNul = 100;
    int dist = 10;            // km from the plant; 0 for haulage agreed per order
    QStringList specs;        // remi_codes the site orders
};

struct Customer {
    CustomerDef def;
    QString name, vat, julsa, kawnSa, misu;
    QList<int> sites;   // indexes into Builder::sites_ (ordinary sites, not 000)
    int holderSite = -1; // the site carrying the receivable for an integrated customer (000)
};

struct PriceVersion {
    QString ilja;
    int kwan = 0;
    int sa = 0;
};

struct Spec {
    QString code, kind, standard;
    QList<PriceVersion> versions; // ascending by date
    // The version in force on a day: the last one dated on or before it.
    const PriceVersion* inForce(const QString& day) const
    {
        const PriceVersion* found = nullptr;
        for (const PriceVersion& v : versions)
            if (v.ilja <= day)
                found = &v;
        return found;
    }
};

class Builder {
public:
    Builder(const QDate& today, quint32 seed) : rng_(seed), seed_(seed)
    {
        lastDay_ = today;
        while (!isWorkingDay(lastDay_))
            lastDay_ = lastDay_.addDays(-1);
        start_ = QDate(lastDay_.year(), lastDay_.month(), 1).addMonths(-2);
        firstDay_ = start_;
        while (!isWorkingDay(firstDay_))
            firstDay_ = firstDay_.addDays(1);
    }

    DemoSummary build()
    {
        {
            Transaction tx;
            company();
            staff();
            zipcodes();
            customersAndSites();
            specs();
            contracts();
            openingBalances();
            trucks();
            tx.commit();
        }
        // The books month by month: one commit per month keeps the fill quick
        // on a database that writes its pages through to the disk.
        int dayIndex = 0;
        for (QDate month = start_; month <= lastDay_; month = month.addMonths(1)) {
            Transaction tx;
            for (QDate d = month; d <= lastDay_ && d.month() == month.month(); d = d.addDays(1))
                if (isWorkingDay(d))
                    bookDay(d, dayIndex++);
            tx.commit();
        }
        {
            Transaction tx;
            approveAndCopyToTaxBook();
            tx.commit();
        }
        DemoSummary s;
        s.firstDay = dayText(firstDay_);
        s.lastDay = dayText(lastDay_);
        s.customers = int(customers_.size());
        s.sites = Sql::scalar(QStringLiteral("select count(*) from r_hyunjang")).toInt();
        s.specs = int(specs_.size());
        s.orders = Sql::scalar(QStringLiteral("select count(*) from r_suju")).toInt();
        s.loads = Sql::scalar(QStringLiteral("select count(*) from cholha")).toInt();
        s.sales = Sql::scalar(QStringLiteral("select count(*) from r_mast")).toInt();
        s.deposits = Sql::scalar(QStringLiteral("select count(*) from r_ipkum")).toInt();
        return s;
    }

private:
    int pick(int n) { return int(rng_.bounded(n)); }
    bool chance(int percent) { return pick(100) < percent; }
    template <typename T, size_t N>
    const T& choice(const T (&items)[N]) { return items[pick(int(N))]; }

    QString personName() { return QString::fromUtf8(choice(kSurnames)) + QString::fromUtf8(choice(kGivenNames)); }
    QString digits(int n)
    {
        QString s;
        for (int i = 0; i < n; ++i)
            s += QChar(u'0' + pick(10));
        return s;
    }
    QString phone(const QString& ddd) { return ddd + "-" + QString::number(200 + pick(800)) + "-" + digits(4); }
    QString mobile() { return "010-" + digits(4) + "-" + digits(4); }
    QString staffName(const QString& code) const { return staffNames_.value(code); }

    // The city named in a public body's name ("화성시청" → "화성시"), or empty.
    static QString cityIn(const QString& name)
    {
        static const char* const cities[] = {"화성시", "오산시", "평택시", "용인", "안성시", "수원시",
                                             "시흥시", "의왕시", "군포", "안산", "경기도"};
        for (const char* city : cities) {
            const QString c = QString::fromUtf8(city);
            if (name.contains(c.endsWith(QStringLiteral("시")) ? c.chopped(1) : c))
                return c == QStringLiteral("경기도") ? QStringLiteral("수원시") : c;
        }
        return {};
    }

    // A postal-code row whose address contains the text (any row for an empty text).
    const ZipRow& zipIn(const QString& text)
    {
        QList<int> rows;
        for (int i = 0; i < zips_.size(); ++i)
            if (zips_.at(i).juso.contains(text))
                rows << i;
        return zips_.at(rows.isEmpty() ? pick(int(zips_.size())) : rows.at(pick(int(rows.size()))));
    }

    // -- masters ------------------------------------------------------------

    void company()
    {
        insert("enrol", {{"saup", DemoOffice::Saup}, {"name", "(주)한빛레미콘"}, {"daepyo", "한상훈"},
                         {"uptae", "제조업"}, {"jongmok", "레미콘"}, {"saupja", "124-81-56237"},
                         {"gaeyak", "조달청 제2024-0318호"}, {"post", "445-911"},
                         {"address", "경기도 화성시 팔탄면 노하리 312"}, {"tel", "031-354-2100"},
                         {"fax", "031-354-2109"}, {"japum", "레미콘"}});
        const QList<QPair<int, QPair<QString, QString>>> iso = {
            {1, {"레미콘 출하 예정표", "HB-QP-0701-01"}}, {2, {"일일 판매 일보", "HB-QP-0702-01"}},
            {3, {"일일 입금 일보", "HB-QP-0702-02"}},     {4, {"거래명세서", "HB-QP-0703-01"}},
            {5, {"월간 판매 현황", "HB-QP-0704-01"}},     {6, {"거래처 원장", "HB-QP-0705-01"}},
            {7, {"세금계산서 발행대장", "HB-QP-0706-01"}}, {8, {"차량 운반비 내역", "HB-QP-0707-01"}},
        };
        for (const auto& [code, row] : iso)
            insert("iso", {{"code", code}, {"name", row.first}, {"num", row.second}});
    }

    void staff()
    {
        for (const StaffDef& s : kStaff) {
            staffNames_.insert(QLatin1String(s.code), QString::fromUtf8(s.man));
            insert("youngup", {{"saup", DemoOffice::Saup}, {"code", QLatin1String(s.code)},
                               {"man", QString::fromUtf8(s.man)}, {"pass", QLatin1String(s.pass)},
                               {"man_status", QString::fromUtf8(s.status)}});
        }
    }

    void zipcodes()
    {
        for (const District& d : kDistricts) {
            const QString city = QString::fromUtf8(d.city);
            int number = 10;
            for (const QString& place : QString::fromUtf8(d.places).split(QLatin1Char('|'))) {
                const QStringList parts = place.split(QLatin1Char(':'));
                const QString dong = parts.first();
                const auto add = [&](const QString& juso, int n) {
                    const ZipRow z{QString::fromLatin1(d.prefix) + "-" + PadDigits(QString::number(n), 3), dong,
                                   juso, QString::fromLatin1(d.ddd)};
                    zips_ << z;
                    insert("zipcode", {{"post", z.post}, {"dong", z.dong}, {"juso", z.juso}, {"ddd", z.ddd}});
                };
                if (parts.size() == 1) {
                    add(city + " " + dong, number);
                } else {
                    int n = number;
                    for (const QString& village : parts.at(1).split(QLatin1Char(',')))
                        add(city + " " + dong + " " + village, ++n);
                }
                number += 10;
            }
        }
    }

    void customersAndSites()
    {
        QSet<QString> usedSiteNames;
        int salesStaff = 0;
        for (const CustomerDef& def : kCustomers) {
            Customer c;
            c.def = def;
            c.name = QString::fromUtf8(def.name);
            c.kawnSa = QString(QLatin1Char(def.kawnSa));
            c.misu = QString(QLatin1Char(def.misu));
            c.vat = QLatin1String(def.vat);
            c.julsa = QLatin1String(def.julsa);
            const bool isPublic = AmountRule::isPublic(c.kawnSa);
            // A public body sits in the city it is named after.
            const ZipRow& zip = zipIn(isPublic ? cityIn(c.name) : QString());
            const QString grcd = QLatin1String(def.grcd);
            const QString registered = dayText(start_.addDays(-30 - pick(900)));
            insert("customer",
                   {{"saup", DemoOffice::Saup}, {"grcd", grcd}, {"cust_set", grcd.left(1)}, {"cust_seq", grcd.mid(1)},
                    {"name", c.name}, {"daepyo", personName()},
                    {"saupja", QString::number(100 + pick(900)) + "-" + (isPublic ? "83" : "81") + "-" + digits(5)},
                    {"uptae", isPublic ? "공공기관" : "건설업"},
                    {"jongmok", isPublic ? "공공행정" : (def.kawnSa == 'T' ? "건축공사" : "토목건축공사업")},
                    {"post", zip.post}, {"address1", zip.juso},
                    {"address2", QString::number(1 + pick(400)) + "번지"}, {"tel", phone(zip.ddd)},
                    {"fax", phone(zip.ddd)}, {"kawn_sa", c.kawnSa}, {"misu", c.misu}, {"vat", c.vat},
                    {"ilja", registered}, {"memo", def.rank == 'F' ? "결제 지연 주의" : ""},
                    {"post_yn", chance(85) ? "Y" : "N"}, {"rank", QString(QLatin1Char(def.rank))},
                    {"enable", "Y"}, {"julsa", c.julsa}});

            // Staff, telephones, rate and builder of an integrated customer
            // live on its site 000 and are shared by its other sites.
            const QString manCode = isPublic ? QString::fromLatin1(kPublicDesk)
                                             : QString::fromLatin1(kSalesStaff[salesStaff++ % 5]);
            const double rates[] = {100, 97, 95, 93.5, 92, 90, 88, 85.5};
            const double sharedRate = isPublic ? 100 : rates[pick(8)];
            const QString sharedTel = phone(zip.ddd);
            const QString sharedBuild = QString::fromUtf8(choice(kBuilders));
            if (c.misu == QLatin1String("G")) {
                c.holderSite = int(sites_.size());
                Site s{grcd, c.name, "000", "현장통합", c.kawnSa, "T", manCode, staffName(manCode), sharedRate};
                sites_ << s;
                insert("r_hyunjang", {{"saup", DemoOffice::Saup}, {"grcd", grcd}, {"grcd_name", c.name},
                                      {"man_code", s.manCode}, {"man_name", s.manName}, {"office_tel", sharedTel},
                                      {"kawn_sa", c.kawnSa}, {"ground_tel", mobile()}, {"build", sharedBuild},
                                      {"order_nul", sharedRate}, {"memo", ""}, {"code", "000"},
                                      {"name", "현장통합"}, {"misu", "T"}, {"grcode", grcd + "000"}});
            }
            for (int i = 1; i <= def.sites; ++i) {
                Site s;
                s.grcd = grcd;
                s.grcdName = c.name;
                s.code = PadDigits(QString::number(i), 3);
                // Sites lie within reach of the plant, in the province.
                const ZipRow& place = zipIn(isPublic && !cityIn(c.name).isEmpty() ? cityIn(c.name)
                                                                                  : QStringLiteral("경기도"));
                s.name = place.dong + " "
                         + QString::fromUtf8(isPublic ? choice(kPublicProjects) : choice(kPrivateProjects));
                if (usedSiteNames.contains(s.name))
                    s.name += QStringLiteral(" 2공구");
                usedSiteNames.insert(s.name);
                s.kawnSa = c.kawnSa;
                const bool integrated = c.misu == QLatin1String("G");
                s.misu = integrated ? "G" : "H";
                s.manCode = integrated ? manCode
                                       : (isPublic ? QString::fromLatin1(kPublicDesk)
                                                   : QString::fromLatin1(kSalesStaff[salesStaff++ % 5]));
                s.manName = staffName(s.manCode);
                s.orderNul = integrated ? sharedRate : (isPublic ? 100 : rates[pick(8)]);
                s.dist = chance(10) ? 0 : 3 + pick(30);
                const QString contractDay = dayText(start_.addDays(-20 - pick(200)));
                sites_ << s;
                c.sites << int(sites_.size()) - 1;
                insert("r_hyunjang",
                       {{"saup", DemoOffice::Saup}, {"grcd", grcd}, {"grcd_name", c.name}, {"code", s.code},
                        {"name", s.name}, {"grcode", grcd + s.code}, {"kawn_sa", s.kawnSa}, {"misu", s.misu},
                        {"man_code", s.manCode}, {"man_name", s.manName},
                        {"office_tel", integrated ? sharedTel : phone(place.ddd)}, {"ground_tel", mobile()},
                        {"order_nul", s.orderNul}, {"build", integrated ? sharedBuild : QString::fromUtf8(choice(kBuilders))},
                        {"gover", isPublic ? c.name : QString()},
                        {"gover_num", isPublic ? "G" + digits(7) : QString()}, {"ilja", contractDay},
                        {"gita", ""}, {"memo", s.dist == 0 ? "운반비 별도 계약" : ""}});
            }
            customers_ << c;
        }
    }

    void specs()
    {
        struct SpecDef {
            const char* standard;
            const char* kind;
            int sa; // private list price at the version before the demo months
        };
        const SpecDef defs[] = {
            {"25-18-80", "레미콘", 58000},   {"25-18-120", "레미콘", 59200},  {"25-21-80", "레미콘", 60700},
            {"25-21-120", "레미콘", 61900},  {"25-21-150", "레미콘", 62700},  {"25-24-80", "레미콘", 63400},
            {"25-24-120", "레미콘", 64600},  {"25-24-150", "레미콘", 65400},  {"25-27-120", "레미콘", 67300},
            {"25-27-150", "레미콘", 68100},  {"25-30-120", "레미콘", 70000},  {"25-30-150", "레미콘", 70800},
            {"25-35-150", "고강도", 75300},  {"25-40-150", "고강도", 79800},  {"25-45-180", "고강도", 85500},
            {"20-18-80", "레미콘", 59500},   {"20-21-120", "레미콘", 63400},  {"20-24-150", "레미콘", 66900},
            {"20-27-150", "레미콘", 69600},  {"20-30-180", "레미콘", 73500},  {"40-18-80", "레미콘", 57000},
            {"40-21-80", "레미콘", 59700},   {"40-24-80", "레미콘", 62400},   {"40-18-120", "레미콘", 58200},
            {"25-24-180", "유동화", 67900},  {"25-30-180", "유동화", 73300},  {"13-21-150", "레미콘", 65700},
            {"25-15-80", "빈배합", 48000},   {"모르타르1:2", "모르타르", 85000}, {"모르타르1:3", "모르타르", 78000},
        };
        const QString older = dayText(start_.addMonths(-21));
        const QString before = dayText(start_.addMonths(-8));
        const QString during = dayText(start_.addMonths(1));
        int index = 0;
        for (const SpecDef& d : defs) {
            ++index;
            Spec s;
            s.code = PadDigits(QString::number(index), 4);
            s.kind = QString::fromUtf8(d.kind);
            s.standard = QString::fromUtf8(d.standard);
            const auto hundreds = [](double x) { return int(Round(x / 100) * 100); };
            const auto publicPrice = [](int sa) { return int(Round(sa * 0.92 / 10) * 10); };
            const int oldSa = hundreds(d.sa * 0.94);
            s.versions << PriceVersion{older, publicPrice(oldSa), oldSa} << PriceVersion{before, publicPrice(d.sa), d.sa};
            if (index % 3 == 1) {
                const int newSa = hundreds(d.sa * 1.035);
                s.versions << PriceVersion{during, publicPrice(newSa), newSa};
            }
            const bool mortar = s.kind == QStringLiteral("모르타르");
            const bool lean = s.kind == QStringLiteral("빈배합");
            const QStringList parts = s.standard.split(QLatin1Char('-'));
            const int strength = parts.size() == 3 ? parts.at(1).toInt() : 24;
            const int cement = mortar ? 480 : 250 + (strength - 15) * 11;
            const double water = mortar ? 260 : 170 + (parts.size() == 3 ? parts.at(2).toInt() / 30 : 0);
            for (int v = 0; v < s.versions.size(); ++v) {
                const PriceVersion& pv = s.versions.at(v);
                const int trim = v * 3; // each mix revision trims the cement a little
                insert("r_size",
                       {{"saup", DemoOffice::Saup}, {"remi_code", s.code}, {"ilja", pv.ilja},
                        {"gubun", v == s.versions.size() - 1 ? "0" : "1"}, {"kind", s.kind}, {"standard", s.standard},
                        {"gover_num", "30111501" + PadDigits(QString::number(index), 2)},
                        {"rul_ks", mortar || lean ? "비KS" : "KS"}, {"remi_code1", PadDigits(QString::number(index), 3)},
                        {"cement_1", cement - trim}, {"cement_2", mortar ? 0 : 40}, {"cement_3", 0},
                        {"sand_1", mortar ? 1450 : 820 - strength * 2}, {"sand_2", mortar ? 0 : 90}, {"sand_3", 0},
                        {"gravel_1", mortar ? 0 : 930 + trim}, {"gravel_2", 0}, {"gravel_3", 0},
                        {"ad_1", mortar ? 0.0 : double(Round((cement - trim) * 0.7)) / 100.0}, {"ad_2", 0.0}, {"ad_3", 0.0},
                        {"water_1", water}, {"water_2", 0.0}, {"kwan_danga", pv.kwan}, {"sa_danga", pv.sa},
                        {"wc", double(Round(water / (cement - trim) * 1000)) / 10}, {"sa", mortar ? 100.0 : 46.5},
                        {"slg", lean ? 2.0 : 0.0}, {"cement1", "포틀랜드1종"}, {"cement2", strength >= 35 ? "고로슬래그" : ""},
                        {"ad1", strength >= 30 ? "플라이애쉬" : ""}, {"ad2", mortar ? "" : "AE감수제"},
                        {"kong", strength >= 35 ? "3.5 ± 1.5%" : "4.5 ± 1.5%"}, {"yeom", "0.30kg/㎥이하"},
                        {"cement_4", 0.0}, {"cement_5", 0.0}, {"cement_6", 0.0}, {"sand_4", 0.0}, {"sand_5", 0.0},
                        {"sand_6", 0.0}, {"gravel_4", 0.0}, {"gravel_5", 0.0}, {"gravel_6", 0.0}, {"ad_4", 0.0},
                        {"ad_5", 0.0}, {"ad_6", 0.0}});
            }
            specs_ << s;
        }
        // The specs each site orders: structural mixes mostly, a mortar now and then.
        for (Site& site : sites_) {
            if (site.code == QLatin1String("000"))
                continue;
            const int n = 1 + pick(3);
            while (site.specs.size() < n) {
                const int i = chance(90) ? pick(27) : 27 + pick(3);
                if (!site.specs.contains(specs_.at(i).code))
                    site.specs << specs_.at(i).code;
            }
        }
    }

    const Spec& spec(const QString& code) const
    {
        for (const Spec& s : specs_)
            if (s.code == code)
                return s;
        return specs_.first();
    }

    // Contracted quantities and prices of the sites of class K customers; a
    // spec whose price changes during the demo months gets a second row.
    void contracts()
    {
        for (const Customer& c : customers_) {
            if (c.kawnSa != QLatin1String("K"))
                continue;
            for (int si : c.sites) {
                const Site& site = sites_.at(si);
                if (pick(3) == 0)
                    continue;
                for (const QString& code : site.specs) {
                    const Spec& s = spec(code);
                    const QString demand1 = dayText(start_.addDays(-40 - pick(120)));
                    const QString orderNum = QStringLiteral("제%1-%2호").arg(start_.year()).arg(digits(4));
                    const bool changes = s.versions.last().ilja > demand1 && s.versions.last().ilja > dayText(start_);
                    const QString changeDay = s.versions.last().ilja;
                    const QString end1 = changes ? dayText(QDate::fromString(changeDay, Qt::ISODate).addDays(-1))
                                                 : QStringLiteral("9999-12-31");
                    insert("r_hyun_order",
                           {{"saup", DemoOffice::Saup}, {"grcd", site.grcd}, {"code", site.code}, {"standard", s.standard},
                            {"kind", s.kind}, {"demand1", demand1}, {"demand2", end1}, {"order_num", orderNum},
                            {"amount", double(500 + 100 * pick(26))}, {"cost", double(s.inForce(demand1)->kwan)},
                            {"delivery", dayText(QDate::fromString(demand1, Qt::ISODate).addYears(1))}, {"memo", ""}});
                    if (changes)
                        insert("r_hyun_order",
                               {{"saup", DemoOffice::Saup}, {"grcd", site.grcd}, {"code", site.code},
                                {"standard", s.standard}, {"kind", s.kind}, {"demand1", changeDay},
                                {"demand2", "9999-12-31"}, {"order_num", orderNum}, {"amount", 0.0},
                                {"cost", double(s.inForce(changeDay)->kwan)},
                                {"delivery", dayText(QDate::fromString(demand1, Qt::ISODate).addYears(1))},
                                {"memo", "단가 변경"}});
                }
            }
        }
    }

    // The site that carries a site's receivable: itself, or site 000.
    int holderOf(int siteIndex) const
    {
        const Site& s = sites_.at(siteIndex);
        if (s.misu != QLatin1String("G"))
            return siteIndex;
        for (const Customer& c : customers_)
            if (QLatin1String(c.def.grcd) == s.grcd)
                return c.holderSite;
        return siteIndex;
    }

    void openingBalances()
    {
        for (int i = 0; i < sites_.size(); ++i) {
            const Site& s = sites_.at(i);
            if (s.misu == QLatin1String("G"))
                continue;
            const double kum = chance(15) ? 0.0 : double(10000 * (50 + pick(6000)));
            balance_[i] = kum;
            insert("r_misu", {{"saup", DemoOffice::Saup}, {"grcd", s.grcd}, {"code", s.code},
                              {"ilja", monthText(start_)}, {"kum", kum}});
        }
    }

    void trucks()
    {
        insert("car_cust", {{"saup", DemoOffice::Saup}, {"code", "01"}, {"name", "한빛운수(주)"}});
        insert("car_cust", {{"saup", DemoOffice::Saup}, {"code", "02"}, {"name", "대성물류"}});
        insert("car_cust", {{"saup", DemoOffice::Saup}, {"code", "03"}, {"name", "세진운송(주)"}});
        const int capacities[] = {6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 7, 7, 7, 8, 8, 4};
        QSet<QString> numbers;
        for (int i = 0; i < 16; ++i) {
            QString middle;
            do
                middle = QString::number(1000 + pick(9000));
            while (numbers.contains(middle));
            numbers.insert(middle);
            const QString company = i < 8 ? "자사" : (i < 14 ? "지입" : "타사");
            const QString carco = i < 8 ? "01" : (i < 14 ? "02" : "03");
            const QString gubun = QString::number(capacities[i]) + "루베";
            if (!truckClasses_.contains(gubun))
                truckClasses_ << gubun;
            insert("car_code",
                   {{"saup", DemoOffice::Saup}, {"code", QString::number(70 + pick(30)) + "-" + middle + "-" + digits(1)},
                    {"scode", middle}, {"name", personName()}, {"m3", capacities[i]},
                    {"wight", double(12000 + capacities[i] * 300 + 10 * pick(50))}, {"carco", carco},
                    {"company", company}, {"gubun", gubun}, {"sudang", i < 8 ? "0" : "1"},
                    {"c_bool", i == 15 ? "N" : "Y"}, {"c_otime", "00:00"}, {"c_msum", 0.0}, {"c_dsum", 0.0},
                    {"c_state", "0"}});
        }
        for (int km = 1; km <= 40; ++km)
            insert("carry", {{"code", QString::number(km)}, {"dis_kum", double(30000 + 1800 * km)}});
    }

    // -- books --------------------------------------------------------------

    const Customer& customerOf(const Site& s) const
    {
        for (const Customer& c : customers_)
            if (QLatin1String(c.def.grcd) == s.grcd)
                return c;
        return customers_.first();
    }

    // The unit price the order window proposes: the price of the site's last
    // order of the spec, else the public price or the private proposal by
    // the customer's cut unit; a customer without a cut unit has the price
    // typed, which the office rounds to the hundred.
    double orderPrice(int siteIndex, const Spec& s, const QString& day)
    {
        const Site& site = sites_.at(siteIndex);
        const Customer& c = customerOf(site);
        const QString key = site.grcd + site.code + s.code;
        const PriceVersion* price = s.inForce(day);
        if (AmountRule::isPublic(c.kawnSa))
            return price->kwan;
        if (const double last = lastPrice_.value(key); last != 0)
            return last;
        const AmountRule::PriceBasis basis{c.kawnSa, c.julsa, site.orderNul, double(price->kwan), double(price->sa)};
        double danga;
        if (const auto proposed = AmountRule::proposedPrice(basis, c.vat))
            danga = *proposed;
        else
            danga = double(Round(price->sa * site.orderNul / 100 / 100) * 100);
        lastPrice_.insert(key, danga);
        return danga;
    }

    void bookDay(const QDate& date, int dayIndex)
    {
        const QString day = dayText(date);
        const bool open = date == lastDay_;
        // Orders: more at the start of a week, fewer on Fridays.
        const int count = 6 + pick(7) + (date.dayOfWeek() == 1 ? 2 : 0) - (date.dayOfWeek() == 5 ? 2 : 0);
        QList<int> orderSites;
        for (int n = 1; n <= count; ++n) {
            int si;
            do
                si = pick(int(sites_.size()));
            while (sites_.at(si).code == QLatin1String("000")
                   || (sites_.at(si).kawnSa == QLatin1String("T") && chance(40)));
            orderSites << si;
            const Site& site = sites_.at(si);
            const Customer& c = customerOf(site);
            const Spec& s = spec(site.specs.at(pick(int(site.specs.size()))));
            const QString seq = PadDigits(QString::number(n), 2);
            double quantity = choice(kQuantities);
            if (s.kind == QStringLiteral("모르타르"))
                quantity = std::min(quantity, 6.0);
            const double order = quantity;
            insert("r_suju",
                   {{"saup", DemoOffice::Saup}, {"ilja", day}, {"seq", seq}, {"grcd", site.grcd}, {"v_inout", c.name},
                    {"code", site.code}, {"v_station", site.name}, {"ground", QString::fromUtf8(choice(kGrounds))},
                    {"dist", double(site.dist)}, {"time_", QString::fromLatin1(choice(kTimes))},
                    {"remi_code", s.code}, {"v_rule", s.standard}, {"kind", s.kind}, {"order_m3", order},
                    {"danga", orderPrice(si, s, day)}, {"vat", c.vat}, {"v_okno", chance(4) ? "NO" : "OK"},
                    {"memo", QString::fromUtf8(choice(kOrderMemos))}, {"cement", "포틀랜드1종"},
                    {"gravel", "보통콘크리트"}, {"japum", "AE감수제표준형"}, {"con", ""}, {"v_hon", ""},
                    {"v_outorder", 0.0}, {"v_ftime", "00:00"}, {"v_ltime", "00:00"}, {"v_ccount", 0.0},
                    {"v_nocarin", 0.0}, {"v_cincout", "00:00"}, {"v_state", "YES"}, {"v_reorder", order}});
            if (site.dist == 0)
                for (const QString& gubun : truckClasses_)
                    insert("cont_carry", {{"ilja", day}, {"seq", seq}, {"gubun", gubun},
                                          {"danga", double(25000 + 4000 * gubun.left(1).toInt())}});
        }
        if (open)
            return; // today's orders wait for the plant

        PlantShip::run(day, seed_ + quint32(dayIndex));
        closeDay(day, orderSites);
        if (chance(18))
            handSale(day);
        deposits(date);
    }

    QList<int> siteIndexesOf(const QString& grcd, const QString& code) const
    {
        QList<int> out;
        for (int i = 0; i < sites_.size(); ++i)
            if (sites_.at(i).grcd == grcd && sites_.at(i).code == code)
                out << i;
        return out;
    }

    // One sales row per shipped order, as the daily shipment closing writes it.
    void closeDay(const QString& day, const QList<int>& orderSites)
    {
        const Rows orders = Sql::select(
            QStringLiteral("select seq, grcd, v_inout, code, v_station, remi_code, v_rule, kind, v_outorder, danga, vat"
                           " from r_suju where ilja = ? order by seq"),
            {day});
        for (int i = 0; i < orders.size(); ++i) {
            const double shipped = orders.number(i, "v_outorder");
            if (shipped == 0)
                continue;
            const int si = orderSites.at(orders.text(i, "seq").toInt() - 1);
            const Site& site = sites_.at(si);
            const double danga = orders.number(i, "danga");
            const QString vat = orders.text(i, "vat");
            const auto amounts = AmountRule::closingAmounts(shipped, danga, vat);
            const PriceVersion* price = spec(orders.text(i, "remi_code")).inForce(day);
            const double yul = AmountRule::closingRate(
                site.kawnSa, danga, price ? std::optional<double>(price->sa) : std::nullopt);
            insert("r_mast",
                   {{"saup", DemoOffice::Saup}, {"ilja", day}, {"seq", orders.text(i, "seq")},
                    {"grcd", orders.text(i, "grcd")}, {"grcd_name", orders.text(i, "v_inout")},
                    {"code", orders.text(i, "code")}, {"code_name", orders.text(i, "v_station")},
                    {"remi_code", orders.text(i, "remi_code")}, {"standard", orders.text(i, "v_rule")},
                    {"m3", shipped}, {"danga", danga}, {"yul", yul}, {"vat", vat}, {"kum", amounts->kum},
                    {"vatkum", amounts->vatkum}, {"hap", amounts->hap}, {"yun", day.left(4)}, {"ul", day.left(7)},
                    {"memo", ""}, {"kind", orders.text(i, "kind")}, {"kawn_sa", site.kawnSa}, {"misu", site.misu},
                    {"man_code", site.manCode}, {"man_name", site.manName}});
            balance_[holderOf(si)] += amounts->hap;
        }
    }

    // A row entered by hand in the sales entry, numbered from 51.
    void handSale(const QString& day)
    {
        int si;
        do
            si = pick(int(sites_.size()));
        while (sites_.at(si).code == QLatin1String("000"));
        const Site& site = sites_.at(si);
        const Customer& c = customerOf(site);
        const Spec& s = spec(site.specs.first());
        const PriceVersion* price = s.inForce(day);
        AmountRule::SalesAmounts row;
        row.m3 = 1 + pick(5) + (chance(50) ? 0.5 : 0);
        row.vat = c.vat;
        row.yul = site.orderNul;
        AmountRule::proposeUnitPrice(row, {c.kawnSa, c.julsa, site.orderNul, double(price->kwan), double(price->sa)});
        if (row.danga == 0)
            row.danga = orderPrice(si, s, day);
        AmountRule::unitPriceTyped(row, c.kawnSa, price->sa);
        insert("r_mast",
               {{"saup", DemoOffice::Saup}, {"ilja", day}, {"ul", day.left(7)}, {"yun", day.left(4)},
                {"grcd", site.grcd}, {"grcd_name", site.grcdName}, {"code", site.code}, {"code_name", site.name},
                {"seq", "51"}, {"remi_code", s.code}, {"kind", s.kind}, {"standard", s.standard}, {"m3", row.m3},
                {"danga", row.danga}, {"vat", row.vat}, {"kum", row.kum}, {"vatkum", row.vatkum}, {"hap", row.hap},
                {"man_code", site.manCode}, {"man_name", site.manName}, {"misu", site.misu},
                {"kawn_sa", site.kawnSa}, {"yul", row.yul}, {"memo", "소량 추가분(수기)"}});
        balance_[holderOf(si)] += row.hap;
    }

    void deposits(const QDate& date)
    {
        const QString day = dayText(date);
        QList<int> payers;
        for (auto it = balance_.cbegin(); it != balance_.cend(); ++it)
            if (it.value() > 3000000)
                payers << it.key();
        int count = 1 + pick(3) + (date.day() >= 24 ? 2 : 0);
        int jun = 0;
        while (count-- > 0 && !payers.isEmpty()) {
            const int si = payers.takeAt(pick(int(payers.size())));
            const Site& site = sites_.at(si);
            double hyun = 0, au = 0, gi = 0, hal = 0, dea = 0, lee = 0;
            QString cardNum, bank, lastDate, memo;
            const double amount = double(Int(balance_[si] * (30 + pick(71)) / 100 / 100000) * 100000);
            if (amount <= 0)
                continue;
            const int kind = pick(100);
            if (AmountRule::isPublic(site.kawnSa)) {
                (kind < 85 ? gi : dea) = amount;
            } else if (site.kawnSa == QLatin1String("S")) {
                (kind < 50 ? gi : kind < 85 ? au : kind < 92 ? hyun : dea) = amount;
            } else {
                (kind < 40 && amount <= 5000000 ? hyun : kind < 80 ? gi : au) = amount;
            }
            if (gi != 0)
                bank = QString::fromUtf8(choice(kBanks));
            if (au != 0) {
                cardNum = "자가" + digits(8);
                bank = QString::fromUtf8(choice(kBanks));
                lastDate = dayText(date.addDays(60 + 30 * pick(3)));
            }
            if (chance(20)) // a discount, never beyond what is owed
                hal = std::min(double(1000 * (5 + pick(200))), balance_[si] - amount);
            if (chance(4))
                lee = double(1000 * (3 + pick(40)));
            memo = dea != 0 ? "자재대 상계" : (chance(50) ? date.addMonths(-1).toString("M") + "월분 결제" : "");
            insertDeposit(day, PadDigits(QString::number(++jun), 2), si, hyun, au, gi, hal, dea, lee, cardNum, bank,
                          lastDate, memo);
        }
        // Now and then an interest receipt alone: a non-operating income that
        // the receivable never sees.
        if (chance(3) && !balance_.isEmpty()) {
            const int si = balance_.keys().at(pick(int(balance_.size())));
            insertDeposit(day, PadDigits(QString::number(++jun), 2), si, 0, 0, 0, 0, 0, double(1000 * (1 + pick(30))),
                          "", "", "", "지연이자");
        }
    }

    void insertDeposit(const QString& day, const QString& jun, int si, double hyun, double au, double gi, double hal,
                       double dea, double lee, const QString& cardNum, const QString& bank, const QString& lastDate,
                       const QString& memo)
    {
        const Site& site = sites_.at(si);
        const double hapKum = hyun + au + gi + hal + dea;
        insert("r_ipkum",
               {{"saup", DemoOffice::Saup}, {"ilja", day}, {"ul", day.left(7)}, {"yun", day.left(4)},
                {"grcd", site.grcd}, {"grcd_name", site.grcdName}, {"code", site.code}, {"code_name", site.name},
                {"jun", jun}, {"hyun", hyun}, {"au", au}, {"gi", gi}, {"hal", hal}, {"dea", dea}, {"lee", lee},
                {"card_num", cardNum}, {"bank", bank}, {"last_date", lastDate}, {"memo", memo},
                {"kawn_sa", site.kawnSa}, {"misu", site.misu}, {"man_code", site.manCode},
                {"man_name", site.manName}, {"hap_kum", hapKum}});
        balance_[si] -= hapKum;
    }

    // Days up to a week ago are approved; the public customers' sales and
    // deposits of the first month are moved into the tax book.
    void approveAndCopyToTaxBook()
    {
        const QString approvedUpTo = dayText(lastDay_.addDays(-7));
        Sql::exec(QStringLiteral("update r_mast set okno = ? where ilja <= ?"), {QStringLiteral("결재"), approvedUpTo});
        Sql::exec(QStringLiteral("update r_ipkum set okno = ? where ilja <= ?"), {QStringLiteral("결재"), approvedUpTo});
        const QString month = monthText(start_);
        Sql::exec(QStringLiteral(
                      "insert into tax_mast (saup, ilja, ul, yun, seq, grcd, grcd_name, code, code_name, kawn_sa, misu,"
                      " man_code, man_name, remi_code, kind, standard, m3, danga, vat, kum, vatkum, hap, memo)"
                      " select saup, ilja, ul, yun, seq, grcd, grcd_name, code, code_name, kawn_sa, misu, man_code,"
                      " man_name, remi_code, kind, standard, m3, danga, vat, kum, vatkum, hap, memo"
                      " from r_mast where ul = ? and kawn_sa = 'K'"),
                  {month});
        Sql::exec(QStringLiteral(
                      "insert into tax_ipkum (saup, ilja, ul, yun, jun, grcd, grcd_name, code, code_name, kawn_sa, misu,"
                      " man_code, man_name, hyun, au, gi, hal, dea, lee, hap_kum, card_num, bank, last_date, memo)"
                      " select saup, ilja, ul, yun, jun, grcd, grcd_name, code, code_name, kawn_sa, misu, man_code,"
                      " man_name, hyun, au, gi, hal, dea, lee, hap_kum, card_num, bank, last_date, memo"
                      " from r_ipkum where ul = ? and kawn_sa = 'K'"),
                  {month});
    }

    QRandomGenerator rng_;
    quint32 seed_;
    QDate start_, firstDay_, lastDay_;
    QHash<QString, QString> staffNames_;
    QList<ZipRow> zips_;
    QList<Customer> customers_;
    QList<Site> sites_;
    QList<Spec> specs_;
    QStringList truckClasses_; // haulage fee classes of the trucks
    QMap<int, double> balance_;        // receivable per holder site
    QHash<QString, double> lastPrice_; // last order price per site and spec
};

} // namespace

namespace DemoOffice {

DemoSummary fill(const QDate& today, quint32 seed)
{
    if (!today.isValid())
        throw DbError(QStringLiteral("데모 자료의 기준 날짜가 올바르지 않습니다."));
    for (const char* table : {"enrol", "youngup", "customer"})
        if (Sql::exists(QStringLiteral("select 1 from %1").arg(QLatin1String(table))))
            throw DbError(QStringLiteral("이미 자료가 있는 데이터베이스에는 데모 자료를 넣을 수 없습니다 (%1).")
                              .arg(QLatin1String(table)));
    return Builder(today, seed).build();
}

} // namespace DemoOffice
