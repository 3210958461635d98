#include "data/CodeLookup.h"
#include "data/Session.h"

#include <stdexcept>

namespace {

const QString kLike = QStringLiteral(" like ? escape '\\'");

QList<LookupColumn> cols(std::initializer_list<LookupColumn> list) { return QList<LookupColumn>(list); }

const LookupColumn kCustName{QStringLiteral("거래처명"), QStringLiteral("name")};
const LookupColumn kCustCode{QStringLiteral("코  드"), QStringLiteral("grcd")};
const LookupColumn kCustClass{QStringLiteral("관/사"), QStringLiteral("kawn_sa")};
const LookupColumn kSiteCode{QStringLiteral("코드"), QStringLiteral("code")};
const LookupColumn kSiteName{QStringLiteral("현장명"), QStringLiteral("name")};
const LookupColumn kSpecCode{QStringLiteral("코드"), QStringLiteral("remi_code")};
const LookupColumn kSpecKind{QStringLiteral("제품명"), QStringLiteral("kind")};
const LookupColumn kSpecStandard{QStringLiteral("규격"), QStringLiteral("standard")};

bool isCustomer(int kind) { return kind == CodeLookup::Customer || kind == CodeLookup::SupplyCustomer; }
bool isSite(int kind) { return kind == CodeLookup::Site || kind == CodeLookup::ReceivableSite; }

} // namespace

QString ContainsPattern(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size() + 2);
    for (const QChar c : text) {
        if (c == u'\\' || c == u'%' || c == u'_')
            escaped += u'\\';
        escaped += c;
    }
    return u'%' + escaped + u'%';
}

CodeLookup::CodeLookup(int kind)
    : kind_(kind)
{
    switch (kind) {
    case Customer: case SupplyCustomer: case Site: case ReceivableSite: case Spec: case KsSpec:
    case SiteSpec: case Truck: case HaulageCompany: case Staff:
        break;
    default:
        throw std::invalid_argument("unknown lookup kind " + std::to_string(kind));
    }
}

bool CodeLookup::isNameSearch(const QString& key)
{
    if (key.isEmpty())
        return false;
    const QChar first = key.at(0);
    const bool codeStart = (first >= u'0' && first <= u'9') || (first >= u'A' && first <= u'Z');
    return !codeStart || (key.size() > 2 && key.at(2) == u'-');
}

QString CodeLookup::caption() const
{
    switch (kind_) {
    case Customer: case SupplyCustomer: return QStringLiteral("거래코드조회");
    case Site: case ReceivableSite: return QStringLiteral("현장코드조회");
    case Spec: case KsSpec: case SiteSpec: return QStringLiteral("제품규격조회");
    case Truck: return QStringLiteral("차량코드조회");
    case HaulageCompany: return QStringLiteral("운반회사조회");
    default: return QStringLiteral("담당자 조회");
    }
}

QString CodeLookup::selectList() const
{
    switch (kind_) {
    case Customer: return QStringLiteral("select grcd, name, kawn_sa, vat, rank, julsa from customer");
    case SupplyCustomer: return QStringLiteral("select grcd, name, kawn_sa, vat, julsa from customer");
    case Site: return QStringLiteral("select grcd, code, name, man_code, man_name, misu from r_hyunjang");
    case ReceivableSite: return QStringLiteral("select code, name, man_code, misu, man_name from r_hyunjang");
    case Spec: return QStringLiteral("select remi_code, standard, kind, kwan_danga, sa_danga from r_size");
    case KsSpec: return QStringLiteral("select distinct remi_code, standard, rul_ks, kind from r_size");
    case SiteSpec:
        return QStringLiteral("select distinct s.remi_code, s.standard, s.kind, s.kwan_danga, s.sa_danga "
                              "from r_hyun_order o join r_size s on s.standard = o.standard and s.gubun = '0'");
    case Truck: return QStringLiteral("select code, name, scode from car_code");
    case HaulageCompany: return QStringLiteral("select code, name from car_cust");
    default: return QStringLiteral("select code, man from youngup");
    }
}

Rows CodeLookup::read(const QString& where, const QString& order, const Sql::Binds& binds) const
{
    QString sql = selectList();
    if (!where.isEmpty())
        sql += QStringLiteral(" where ") + where;
    if (!order.isEmpty())
        sql += QStringLiteral(" order by ") + order;
    return Sql::select(sql, binds);
}

bool CodeLookup::search()
{
    const Session& s = session();
    const QString key = s.LookupKey;
    const bool byName = isNameSearch(key);
    Rows found;
    // The list shown when the search does not find exactly one row; a name
    // search of most kinds shows what it found instead.
    std::function<Rows()> fullList;
    bool showFound = false;

    switch (kind_) {
    case Customer:
    case SupplyCustomer: {
        const QString supply = kind_ == SupplyCustomer ? QStringLiteral(" and kawn_sa in ('K', 'L')") : QString();
        if (byName) {
            const QString onlyK = kind_ == SupplyCustomer ? QStringLiteral(" and kawn_sa = 'K'") : QString();
            found = read(QStringLiteral("name") + kLike + onlyK, QStringLiteral("name"), {ContainsPattern(key)});
            columns_ = cols({kCustName, kCustCode, kCustClass});
            showFound = true;
        } else {
            found = read(QStringLiteral("grcd = ?") + supply, QStringLiteral("grcd"), {key});
            columns_ = cols({kCustCode, kCustName, kCustClass});
            const QString where = kind_ == SupplyCustomer ? QStringLiteral("kawn_sa in ('K', 'L')") : QString();
            fullList = [this, where] { return read(where, QStringLiteral("grcd"), {}); };
        }
        break;
    }
    case Site:
    case ReceivableSite: {
        const QString carrying = kind_ == ReceivableSite ? QStringLiteral(" and (misu = 'T' or misu = 'H')") : QString();
        const QString customer = s.LookupAux1;
        columns_ = cols({kSiteCode, kSiteName});
        if (byName) {
            found = read(QStringLiteral("grcd = ? and name") + kLike + carrying, QStringLiteral("name"),
                         {customer, ContainsPattern(key)});
            showFound = true;
        } else {
            found = read(QStringLiteral("grcd = ? and code = ?") + carrying, QStringLiteral("code desc"), {customer, key});
            // The integrated site 000 never shows in the plain site list; the
            // receivable list keeps it (its misu is T).
            const QString where = QStringLiteral("grcd = ?")
                + (kind_ == Site ? QStringLiteral(" and code <> '000'") : carrying);
            fullList = [this, where, customer] { return read(where, QStringLiteral("code desc"), {customer}); };
        }
        break;
    }
    case Spec: {
        columns_ = cols({kSpecCode, kSpecKind, kSpecStandard});
        if (byName) {
            found = read(QStringLiteral("gubun = '0' and standard") + kLike, QStringLiteral("standard"),
                         {ContainsPattern(key)});
            showFound = true;
        } else {
            found = read(QStringLiteral("gubun = '0' and remi_code = ?"), QStringLiteral("remi_code"), {key});
            fullList = [this] { return read(QStringLiteral("gubun = '0'"), QStringLiteral("remi_code"), {}); };
        }
        break;
    }
    case KsSpec:
        columns_ = cols({kSpecCode, kSpecStandard, {QStringLiteral("KS구분"), QStringLiteral("rul_ks")}});
        found = read(QStringLiteral("standard") + kLike + QStringLiteral(" and rul_ks = 'KS'"), QStringLiteral("standard"),
                     {ContainsPattern(key)});
        showFound = true;
        break;
    case SiteSpec: {
        columns_ = cols({kSpecCode, kSpecKind, kSpecStandard});
        const QString site = QStringLiteral("o.grcd = ? and o.code = ?");
        const Sql::Binds siteBinds{s.LookupCustomer, s.LookupSite};
        fullList = [this, site, siteBinds] { return read(site, QStringLiteral("s.remi_code"), siteBinds); };
        // Callers pass an empty key to offer the site's contracted specs: a
        // site with a single contracted spec needs no pick list.
        found = key.isEmpty() ? fullList()
                              : read(site + QStringLiteral(" and s.remi_code = ?"), QStringLiteral("s.remi_code"),
                                     siteBinds + Sql::Binds{key});
        break;
    }
    case Truck:
        // Trucks always go through the pick list.
        columns_ = cols({{QStringLiteral("코드"), QStringLiteral("scode")},
                         {QStringLiteral("차량번호"), QStringLiteral("code")},
                         {QStringLiteral("기사명"), QStringLiteral("name")}});
        rows_ = read({}, byName ? QStringLiteral("name") : QStringLiteral("code"), {});
        return false;
    case HaulageCompany:
    case Staff: {
        const bool staff = kind_ == Staff;
        const LookupColumn name = staff ? LookupColumn{QStringLiteral("담당자명"), QStringLiteral("man")}
                                        : LookupColumn{QStringLiteral("회사명"), QStringLiteral("name")};
        const LookupColumn code{QStringLiteral("코  드"), QStringLiteral("code")};
        if (byName) {
            found = read(name.field + QStringLiteral(" = ?"), {}, {key});
            columns_ = cols({name, code});
            fullList = [this, name] { return read({}, name.field, {}); };
        } else {
            found = read(QStringLiteral("code = ?"), {}, {key});
            columns_ = cols({code, name});
            const QString where = staff ? QStringLiteral("code between '001' and '100'") : QString();
            fullList = [this, where] { return read(where, QStringLiteral("code"), {}); };
        }
        break;
    }
    }

    if (found.size() == 1) {
        rows_ = found;
        fillSlots(rows_, 0);
        return true;
    }
    rows_ = showFound ? found : fullList();
    return false;
}

void CodeLookup::fillSlots(const Rows& rows, int row) const
{
    Session& s = session();
    const auto t = [&](const char* field) { return rows.text(row, QLatin1String(field)); };
    switch (kind_) {
    case Customer:
    case SupplyCustomer:
        s.LookupKey = t("grcd");
        s.LookupName = t("name");
        s.LookupAux1 = t("vat");
        s.LookupAux2 = t("kawn_sa");
        s.LookupAux3 = t("julsa");
        break;
    case Site:
    case ReceivableSite:
        s.LookupKey = t("code");
        s.LookupName = t("name");
        s.LookupAux1 = t("man_code");
        s.LookupAux2 = t("misu");
        break;
    case Spec:
    case SiteSpec:
        s.LookupKey = t("remi_code");
        s.LookupName = t("standard");
        s.LookupAux2 = t("kind");
        s.LookupPublicPrice = rows.number(row, QStringLiteral("kwan_danga"));
        s.LookupPrivatePrice = rows.number(row, QStringLiteral("sa_danga"));
        break;
    case KsSpec:
        s.LookupKey = t("remi_code");
        s.LookupName = t("standard");
        s.LookupAux2 = t("kind");
        s.LookupAux3 = t("rul_ks");
        break;
    case Truck:
        s.LookupKey = t("scode");
        s.LookupName = t("code");
        s.LookupAux1 = t("name");
        break;
    case HaulageCompany:
        s.LookupKey = t("code");
        s.LookupName = t("name");
        break;
    case Staff:
        s.LookupKey = t("code");
        s.LookupName = t("man");
        break;
    }
}

void CodeLookup::pick(int row)
{
    if (row >= 0 && row < rows_.size())
        fillSlots(rows_, row);
}

bool CodeLookup::canResort() const { return isCustomer(kind_) || isSite(kind_) || kind_ == Spec || kind_ == KsSpec; }

void CodeLookup::resort(const QString& field)
{
    if (!canResort())
        return;
    // Only a column of the list can name the order: nothing typed reaches the SQL text.
    bool known = false;
    for (const LookupColumn& c : std::as_const(columns_))
        known = known || c.field == field;
    if (!known)
        return;
    if (isCustomer(kind_)) {
        rows_ = read({}, field, {});
    } else if (isSite(kind_)) {
        rows_ = read(QStringLiteral("grcd = ?"), field, {session().LookupAux1});
    } else {
        // Every version of every product spec.
        const QString list = kind_ == KsSpec ? QStringLiteral("select remi_code, standard, rul_ks, kind from r_size")
                                             : selectList();
        rows_ = Sql::select(list + QStringLiteral(" order by ") + field);
    }
}
