#include "masters/Customers.h"
#include "data/CodeLookup.h"
#include "data/Routines.h"
#include "data/Session.h"

#include <QSet>

namespace Customers {

namespace {

struct CodeLabel {
    const char* code;
    const char* label;
};

const QList<CodeLabel>& classes()
{
    static const QList<CodeLabel> l = {{"K", "관수1"}, {"L", "관수2"}, {"S", "민수1"}, {"T", "민수2"}};
    return l;
}
const QList<CodeLabel>& bases()
{
    static const QList<CodeLabel> l = {{"H", "현장별"}, {"G", "현장통합"}};
    return l;
}
const QList<CodeLabel>& vats()
{
    static const QList<CodeLabel> l = {{"V", "별도"}, {"N", "포함"}, {"X", "무시"}};
    return l;
}

QStringList labelsOf(const QList<CodeLabel>& l)
{
    QStringList out;
    for (const auto& e : l)
        out << QString::fromUtf8(e.label);
    return out;
}
QString labelOf(const QList<CodeLabel>& l, const QString& code)
{
    for (const auto& e : l)
        if (code == QLatin1String(e.code))
            return QString::fromUtf8(e.label);
    return {};
}
QString codeOf(const QList<CodeLabel>& l, const QString& label)
{
    for (const auto& e : l)
        if (label == QString::fromUtf8(e.label))
            return QLatin1String(e.code);
    return {};
}

bool validCode(const Customer& c)
{
    if (c.custSet.size() != 1 || c.custSet.at(0) < QLatin1Char('A') || c.custSet.at(0) > QLatin1Char('Z'))
        return false;
    if (c.custSeq.size() != 3)
        return false;
    for (QChar ch : c.custSeq)
        if (!ch.isDigit() || ch.unicode() > '9')
            return false;
    return true;
}

bool codeHeld(const Customer& c)
{
    return Sql::exists(QStringLiteral("select 1 from customer where grcd = ? or (cust_set = ? and cust_seq = ?)"),
                       {c.grcd(), c.custSet, c.custSeq});
}

Sql::Binds customerValues(const Customer& c)
{
    return {c.name, c.daepyo, c.saupja, c.uptae, c.jongmok, c.post, c.address1, c.address2, c.tel, c.fax,
            c.kawnSa, c.misu, c.vat, c.ilja, c.memo, c.postYn, c.rank, c.enable, c.julsa};
}

void insertIntegratedSite(const Customer& c, const IntegratedSite& s)
{
    Sql::exec(QStringLiteral(
                  "insert into r_hyunjang (saup, grcd, grcd_name, man_code, man_name, office_tel, kawn_sa,"
                  " ground_tel, build, order_nul, memo, code, name, misu, grcode)"
                  " values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'T', ?)"),
              {session().SessionSaup, c.grcd(), c.name, s.manCode, s.manName, s.officeTel, c.kawnSa, s.groundTel,
               s.build, s.orderNul, s.memo, IntegratedSiteCode, IntegratedSiteName, c.grcd() + IntegratedSiteCode});
}

// Site 000 and every site kept under it (misu other than H).
void updateIntegratedSites(const Customer& c, const IntegratedSite& s)
{
    Sql::exec(QStringLiteral(
                  "update r_hyunjang set man_code = ?, office_tel = ?, ground_tel = ?, build = ?, order_nul = ?,"
                  " grcd_name = ?, man_name = ?, kawn_sa = ?, memo = ? where grcd = ? and misu <> 'H'"),
              {s.manCode, s.officeTel, s.groundTel, s.build, s.orderNul, c.name, s.manName, c.kawnSa, s.memo,
               c.grcd()});
}

// The copies of the customer's name and class held outside customer.
void carryChange(const Customer& c, const IntegratedSite& s, bool droppedIntegrated)
{
    const QString grcd = c.grcd();
    Sql::exec(QStringLiteral("update r_hyunjang set grcd_name = ?, kawn_sa = ? where grcd = ?"),
              {c.name, c.kawnSa, grcd});
    if (droppedIntegrated) {
        for (const char* t : {"r_ipkum", "tax_ipkum", "r_misu"})
            Sql::exec(QStringLiteral("delete from %1 where grcd = ? and code = ?").arg(QLatin1String(t)),
                      {grcd, IntegratedSiteCode});
    }
    if (c.misu == Integrated) {
        for (const char* t : {"r_ipkum", "tax_ipkum"})
            Sql::exec(QStringLiteral("update %1 set man_code = ?, man_name = ? where grcd = ? and code = ?")
                          .arg(QLatin1String(t)),
                      {s.manCode, s.manName, grcd, IntegratedSiteCode});
    }
    for (const char* t : {"r_mast", "tax_mast", "jo_mast", "r_ipkum", "tax_ipkum"})
        Sql::exec(QStringLiteral("update %1 set grcd_name = ?, kawn_sa = ? where grcd = ?").arg(QLatin1String(t)),
                  {c.name, c.kawnSa, grcd});
    for (const char* t : {"tax", "jo_tax"})
        Sql::exec(QStringLiteral("update %1 set grcd_name = ? where grcd = ?").arg(QLatin1String(t)),
                  {c.name, grcd});
    Sql::exec(QStringLiteral("update r_suju set v_inout = ? where grcd = ?"), {c.name, grcd});
}

} // namespace

QStringList classLabels() { return labelsOf(classes()); }
QStringList basisLabels() { return labelsOf(bases()); }
QStringList vatLabels() { return labelsOf(vats()); }
QString classLabel(const QString& code) { return labelOf(classes(), code); }
QString classCode(const QString& label) { return codeOf(classes(), label); }
QString basisLabel(const QString& code) { return labelOf(bases(), code); }
QString basisCode(const QString& label) { return codeOf(bases(), label); }
QString vatLabel(const QString& code) { return labelOf(vats(), code); }
QString vatCode(const QString& label) { return codeOf(vats(), label); }

bool isCodeLetter(QChar c)
{
    const ushort u = c.unicode();
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
}

QString nextSeq(const QString& letter)
{
    const Rows r = Sql::select(QStringLiteral("select cust_seq from customer where cust_set = ?"), {letter});
    QSet<int> used;
    int highest = 0;
    for (int i = 0; i < r.size(); ++i) {
        const int n = r.text(i, "cust_seq").trimmed().toInt();
        used.insert(n);
        highest = qMax(highest, n);
    }
    if (highest < 999)
        return PadDigits(QString::number(highest + 1), 3);
    for (int n = 1; n <= 999; ++n)
        if (!used.contains(n))
            return PadDigits(QString::number(n), 3);
    return {};
}

bool codeExists(const QString& grcd)
{
    return Sql::exists(QStringLiteral("select 1 from customer where grcd = ?"), {grcd});
}

QString codeOfName(const QString& name, const QString& except)
{
    return Sql::select(QStringLiteral("select grcd from customer where name = ? and grcd <> ? order by grcd"),
                       {name, except})
        .text(0, "grcd");
}

Rows list(Order order)
{
    return Sql::select(order == Order::ByCode ? QStringLiteral("select grcd, name from customer order by grcd")
                                              : QStringLiteral("select grcd, name from customer order by name, grcd"));
}

Rows search(const QString& text)
{
    if (text.isEmpty())
        return list(Order::ByName);
    return Sql::select(QStringLiteral("select grcd, name from customer where name like ? escape '\\' order by name, grcd"),
                       {ContainsPattern(text)});
}

bool load(const QString& grcd, Customer& c)
{
    const Rows r = Sql::select(QStringLiteral("select * from customer where grcd = ?"), {grcd});
    if (r.isEmpty())
        return false;
    c.custSet = r.text(0, "cust_set");
    c.custSeq = PadDigits(QString::number(r.text(0, "cust_seq").trimmed().toInt()), 3);
    c.name = r.text(0, "name");
    c.daepyo = r.text(0, "daepyo");
    c.saupja = r.text(0, "saupja");
    c.uptae = r.text(0, "uptae");
    c.jongmok = r.text(0, "jongmok");
    c.post = r.text(0, "post");
    c.address1 = r.text(0, "address1");
    c.address2 = r.text(0, "address2");
    c.tel = r.text(0, "tel");
    c.fax = r.text(0, "fax");
    c.kawnSa = r.text(0, "kawn_sa");
    c.misu = r.text(0, "misu");
    c.vat = r.text(0, "vat");
    c.ilja = r.text(0, "ilja");
    c.memo = r.text(0, "memo");
    c.postYn = r.text(0, "post_yn");
    c.rank = r.text(0, "rank");
    c.enable = r.text(0, "enable");
    c.julsa = r.text(0, "julsa");
    return true;
}

bool loadIntegratedSite(const QString& grcd, IntegratedSite& s)
{
    const Rows r = Sql::select(QStringLiteral("select * from r_hyunjang where grcd = ? and code = ?"),
                               {grcd, IntegratedSiteCode});
    if (r.isEmpty())
        return false;
    s.manCode = r.text(0, "man_code");
    s.manName = r.text(0, "man_name");
    s.officeTel = r.text(0, "office_tel");
    s.groundTel = r.text(0, "ground_tel");
    s.build = r.text(0, "build");
    s.orderNul = r.number(0, "order_nul");
    s.memo = r.text(0, "memo");
    return true;
}

QString addressOfPost(const QString& post)
{
    return Sql::select(QStringLiteral("select juso from zipcode where post = ?"), {post}).text(0, "juso");
}

QString staffName(const QString& code)
{
    return Sql::select(QStringLiteral("select man from youngup where code = ?"), {code}).text(0, "man");
}

SaveResult insert(Customer c, const IntegratedSite& site)
{
    if (!c.custSeq.isEmpty())
        c.custSeq = PadDigits(c.custSeq, 3);
    if (!validCode(c))
        return SaveResult::CodeMissing;
    try {
        Transaction tx;
        if (codeHeld(c))
            return SaveResult::CodeTaken;
        Sql::Binds values{session().SessionSaup, c.custSet, c.custSeq};
        values << customerValues(c) << c.grcd();
        Sql::exec(QStringLiteral(
                      "insert into customer (saup, cust_set, cust_seq, name, daepyo, saupja, uptae, jongmok, post,"
                      " address1, address2, tel, fax, kawn_sa, misu, vat, ilja, memo, post_yn, rank, enable,"
                      " julsa, grcd) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                  values);
        if (c.misu == Integrated)
            insertIntegratedSite(c, site);
        tx.commit();
    } catch (const DbError&) {
        // Another station may have registered the same code between our
        // check and our insert; the keys refused it.
        if (!Transaction::active() && codeHeld(c))
            return SaveResult::CodeTaken;
        throw;
    }
    return SaveResult::Saved;
}

bool ChangeStart::of(const QString& grcd, ChangeStart& start)
{
    Customer c;
    if (!load(grcd, c))
        return false;
    start = {c.name, c.kawnSa, c.misu, {}};
    if (c.misu == Integrated)
        loadIntegratedSite(grcd, start.site);
    return true;
}

bool dropsIntegratedSite(const ChangeStart& start, const Customer& c)
{
    return start.misu == Integrated && c.misu != Integrated;
}

void update(const Customer& c, const IntegratedSite& site, const ChangeStart& start)
{
    const bool wasIntegrated = start.misu == Integrated;
    const bool isIntegrated = c.misu == Integrated;
    Transaction tx;
    Sql::Binds values = customerValues(c);
    values << c.grcd();
    const int n = Sql::exec(QStringLiteral(
                                "update customer set name = ?, daepyo = ?, saupja = ?, uptae = ?, jongmok = ?,"
                                " post = ?, address1 = ?, address2 = ?, tel = ?, fax = ?, kawn_sa = ?, misu = ?,"
                                " vat = ?, ilja = ?, memo = ?, post_yn = ?, rank = ?, enable = ?, julsa = ?"
                                " where grcd = ?"),
                            values);
    if (n == 0)
        throw DbError(QStringLiteral("거래처 '%1'이(가) 없습니다. 다른 곳에서 삭제되었습니다.").arg(c.grcd()));

    if (wasIntegrated && isIntegrated) {
        if (site != start.site || c.name != start.name || c.kawnSa != start.kawnSa)
            updateIntegratedSites(c, site);
    }
    else if (!wasIntegrated && isIntegrated)
        insertIntegratedSite(c, site);
    else if (wasIntegrated && !isIntegrated)
        Sql::exec(QStringLiteral("delete from r_hyunjang where grcd = ? and code = ?"), {c.grcd(), IntegratedSiteCode});

    const QString staffNow = isIntegrated ? site.manCode : QString();
    const QString staffThen = wasIntegrated ? start.site.manCode : QString();
    if (c.name != start.name || c.kawnSa != start.kawnSa || wasIntegrated != isIntegrated || staffNow != staffThen)
        carryChange(c, site, wasIntegrated && !isIntegrated);
    tx.commit();
}

void deleteCustomer(const QString& grcd)
{
    Transaction tx;
    for (const char* t : {"r_hyun_order", "r_mast", "tax_mast", "jo_mast", "r_ipkum", "tax_ipkum", "tax", "r_misu"})
        Sql::exec(QStringLiteral("delete from %1 where grcd = ?").arg(QLatin1String(t)), {grcd});
    // The agreed haulage prices belong to the orders deleted next.
    Sql::exec(QStringLiteral("delete from cont_carry where exists (select 1 from r_suju s where s.ilja = cont_carry.ilja"
                             " and s.seq = cont_carry.seq and s.grcd = ?)"),
              {grcd});
    for (const char* t : {"r_suju", "r_hyunjang", "customer"})
        Sql::exec(QStringLiteral("delete from %1 where grcd = ?").arg(QLatin1String(t)), {grcd});
    tx.commit();
}

} // namespace Customers
