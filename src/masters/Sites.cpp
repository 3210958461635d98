#include "masters/Sites.h"
#include "data/CodeLookup.h"
#include "data/Routines.h"
#include "data/Session.h"

#include <QSet>

namespace Sites {

namespace {

bool isDigits(const QString& s)
{
    for (QChar c : s)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

SaveResult check(const Site& s)
{
    if (s.code == IntegratedSiteCode)
        return SaveResult::IntegratedSite;
    if (s.code.isEmpty() || s.manCode.isEmpty() || s.misu.isEmpty())
        return SaveResult::Incomplete;
    if (!isSiteCode(s.code))
        return SaveResult::BadCode;
    return SaveResult::Saved;
}

// The stored values of a site in the column order of the statements below.
Sql::Binds values(const Site& s)
{
    return {s.name, s.officeTel, s.manCode, s.manName, s.groundTel, s.memo, s.orderNul, s.build,
            s.gover, s.goverNum, s.ilja, s.gita, s.misu, s.grcd + s.code, s.grcdName, s.kawnSa};
}

void carryChange(const Site& s)
{
    const bool integrated = s.misu == Integrated;
    for (const char* t : {"r_mast", "tax_mast", "jo_mast"})
        Sql::exec(QStringLiteral("update %1 set code_name = ?, man_code = ?, man_name = ?, misu = ?"
                                 " where grcd = ? and code = ?")
                      .arg(QLatin1String(t)),
                  {s.name, s.manCode, s.manName, s.misu, s.grcd, s.code});
    // The deposits of a site kept under its customer go to site 000.
    const QString depositName = integrated ? IntegratedSiteName : s.name;
    const QString depositCode = integrated ? IntegratedSiteCode : s.code;
    Sql::exec(QStringLiteral("update r_ipkum set code_name = ?, code = ?, misu = ?, man_code = ?, man_name = ?"
                             " where grcd = ? and code = ?"),
              {depositName, depositCode, integrated ? IntegratedHolder : s.misu, s.manCode, s.manName, s.grcd,
               s.code});
    Sql::exec(QStringLiteral("update tax_ipkum set code_name = ?, code = ?, misu = ?, man_code = ?, man_name = ?"
                             " where grcd = ? and code = ?"),
              {depositName, depositCode, s.misu, s.manCode, s.manName, s.grcd, s.code});
    for (const char* t : {"tax", "jo_tax"})
        Sql::exec(QStringLiteral("update %1 set code_name = ? where grcd = ? and code = ?").arg(QLatin1String(t)),
                  {depositName, s.grcd, s.code});
    Sql::exec(QStringLiteral("update r_suju set v_station = ? where grcd = ? and code = ?"), {s.name, s.grcd, s.code});
}

bool codeHeld(const Site& s) { return exists(s.grcd, s.code); }

} // namespace

Rows list(const QString& grcd)
{
    return Sql::select(QStringLiteral("select code, name from r_hyunjang where grcd = ? order by code desc"), {grcd});
}

Rows listOrdered(const QString& grcd, const QString& column)
{
    const QString by = column.compare(QLatin1String("name"), Qt::CaseInsensitive) == 0 ? QStringLiteral("name, code")
                                                                                      : QStringLiteral("code");
    return Sql::select(QStringLiteral("select code, name from r_hyunjang where grcd = ? order by %1").arg(by), {grcd});
}

Rows search(const QString& grcd, const QString& text)
{
    if (text.isEmpty())
        return listOrdered(grcd, QStringLiteral("name"));
    return Sql::select(QStringLiteral("select code, name from r_hyunjang where grcd = ? and name like ? escape '\\'"
                                      " order by name, code"),
                       {grcd, ContainsPattern(text)});
}

bool load(const QString& grcd, const QString& code, Site& s)
{
    const Rows r = Sql::select(QStringLiteral("select * from r_hyunjang where grcd = ? and code = ?"), {grcd, code});
    if (r.isEmpty())
        return false;
    s.grcd = r.text(0, "grcd");
    s.grcdName = r.text(0, "grcd_name");
    s.code = r.text(0, "code");
    s.name = r.text(0, "name");
    s.officeTel = r.text(0, "office_tel");
    s.manCode = r.text(0, "man_code");
    s.manName = r.text(0, "man_name");
    s.groundTel = r.text(0, "ground_tel");
    s.memo = r.text(0, "memo");
    s.orderNul = r.number(0, "order_nul");
    s.build = r.text(0, "build");
    s.gover = r.text(0, "gover");
    s.goverNum = r.text(0, "gover_num");
    s.ilja = r.text(0, "ilja");
    s.gita = r.text(0, "gita");
    s.misu = r.text(0, "misu");
    s.kawnSa = r.text(0, "kawn_sa");
    return true;
}

bool exists(const QString& grcd, const QString& code)
{
    return Sql::exists(QStringLiteral("select 1 from r_hyunjang where grcd = ? and code = ?"), {grcd, code});
}

QString proposedCode(const QString& grcd)
{
    const Rows r = Sql::select(QStringLiteral("select code from r_hyunjang where grcd = ? and code <> ? order by code"),
                               {grcd, IntegratedSiteCode});
    QSet<int> used;
    int highest = 0;
    for (int i = 0; i < r.size(); ++i) {
        const QString code = r.text(i, "code").trimmed();
        if (!isSiteCode(code))
            continue;
        const int n = code.toInt();
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

bool isSiteCode(const QString& code) { return code.size() == 3 && isDigits(code); }

QStringList editableFields(const QString& basis, const QString& kawnSa)
{
    const bool supply = kawnSa == QLatin1String("K");
    if (basis == Integrated)
        return supply ? QStringList{"hy03", "hy04", "hy12", "hy13", "hy14", "hy15", "hy20"}
                      : QStringList{"hy03", "hy04", "hy14", "hy20"};
    QStringList set{"hy03", "hy04", "HY05", "hy06", "hy07", "HY08", "hy09", "hy10", "hy11"};
    if (supply)
        set << QStringList{"hy12", "hy13", "hy14", "hy15"};
    set << QStringLiteral("hy20");
    return set;
}

bool hasBookRows(const QString& grcd, const QString& code)
{
    return Sql::exists(QStringLiteral("select 1 from rdb$database where exists (select 1 from r_mast where grcd = ?"
                                      " and code = ?) or exists (select 1 from r_ipkum where grcd = ? and code = ?)"),
                       {grcd, code, grcd, code});
}

SaveResult insert(const Site& s)
{
    if (const SaveResult r = check(s); r != SaveResult::Saved)
        return r;
    try {
        Transaction tx;
        if (codeHeld(s))
            return SaveResult::CodeTaken;
        if (!Sql::exists(QStringLiteral("select 1 from customer where grcd = ?"), {s.grcd}))
            throw DbError(QStringLiteral("거래처 '%1'이(가) 없습니다. 다른 곳에서 삭제되었습니다.").arg(s.grcd));
        Sql::Binds binds{session().SessionSaup, s.grcd, s.code};
        binds << values(s);
        Sql::exec(QStringLiteral("insert into r_hyunjang (saup, grcd, code, name, office_tel, man_code, man_name,"
                                 " ground_tel, memo, order_nul, build, gover, gover_num, ilja, gita, misu, grcode,"
                                 " grcd_name, kawn_sa) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                  binds);
        tx.commit();
    } catch (const DbError&) {
        // Another station saved the same code between our check and our
        // insert; the key refused it.
        if (!Transaction::active() && codeHeld(s))
            return SaveResult::CodeTaken;
        throw;
    }
    return SaveResult::Saved;
}

SaveResult update(const Site& s)
{
    if (const SaveResult r = check(s); r != SaveResult::Saved)
        return r;
    Transaction tx;
    Sql::Binds binds = values(s);
    binds << s.grcd << s.code;
    const int n = Sql::exec(QStringLiteral("update r_hyunjang set name = ?, office_tel = ?, man_code = ?, man_name = ?,"
                                           " ground_tel = ?, memo = ?, order_nul = ?, build = ?, gover = ?,"
                                           " gover_num = ?, ilja = ?, gita = ?, misu = ?, grcode = ?, grcd_name = ?,"
                                           " kawn_sa = ? where grcd = ? and code = ?"),
                            binds);
    if (n == 0)
        throw DbError(QStringLiteral("현장 '%1-%2'이(가) 없습니다. 다른 곳에서 삭제되었습니다.").arg(s.grcd, s.code));
    carryChange(s);
    tx.commit();
    return SaveResult::Saved;
}

DeleteResult deleteSite(const QString& grcd, const QString& code)
{
    if (code == IntegratedSiteCode)
        return DeleteResult::IntegratedSite;
    Transaction tx;
    if (hasBookRows(grcd, code))
        return DeleteResult::HasBookRows;
    Sql::exec(QStringLiteral("delete from r_hyunjang where grcd = ? and code = ?"), {grcd, code});
    tx.commit();
    return DeleteResult::Deleted;
}

DeleteResult deleteWithBooks(const QString& grcd, const QString& code)
{
    if (code == IntegratedSiteCode)
        return DeleteResult::IntegratedSite;
    Transaction tx;
    for (const char* t : {"r_mast", "tax_mast", "jo_mast", "r_ipkum", "tax_ipkum"})
        Sql::exec(QStringLiteral("delete from %1 where grcd = ? and code = ?").arg(QLatin1String(t)), {grcd, code});
    // The agreed haulage prices belong to the orders deleted next.
    Sql::exec(QStringLiteral("delete from cont_carry where exists (select 1 from r_suju s where s.ilja = cont_carry.ilja"
                             " and s.seq = cont_carry.seq and s.grcd = ? and s.code = ?)"),
              {grcd, code});
    for (const char* t : {"r_suju", "r_misu", "r_hyun_order", "r_hyunjang"})
        Sql::exec(QStringLiteral("delete from %1 where grcd = ? and code = ?").arg(QLatin1String(t)), {grcd, code});
    tx.commit();
    return DeleteResult::Deleted;
}

} // namespace Sites
