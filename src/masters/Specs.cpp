#include "masters/Specs.h"
#include "data/Routines.h"
#include "data/Session.h"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace Specs {

namespace {

const QStringList kMaterialColumns = {"cement1", "cement2", "ad1", "ad2", "kong", "yeom"};

QString checkText(const QString& label, const QString& text, int width)
{
    if (text.size() > width)
        return QStringLiteral("%1은(는) %2자까지 입력하시오.").arg(label).arg(width);
    return {};
}

QString checkNumber(const QString& column, double d)
{
    const QString label = numberLabel(column);
    if (!std::isfinite(d))
        return QStringLiteral("%1에 숫자를 입력하시오.").arg(label);
    if (isIntegerColumn(column)) {
        if (d != std::floor(d))
            return QStringLiteral("%1은(는) 정수로 입력하시오.").arg(label);
        if (d > std::numeric_limits<qint32>::max() || d < std::numeric_limits<qint32>::min())
            return QStringLiteral("%1의 값이 너무 큽니다.").arg(label);
    }
    return {};
}

QString checkVersion(const Version& v)
{
    if (v.code.trimmed().isEmpty() || v.ilja.trimmed().isEmpty())
        return MsgCodeOrDate;
    static const QRegularExpression codeForm(QStringLiteral("^[0-9]{4}$"));
    if (!codeForm.match(v.code).hasMatch())
        return QStringLiteral("코드는 숫자 4자리로 입력하시오.");
    if (v.ilja.size() != 10 || !QDate::fromString(v.ilja, QStringLiteral("yyyy-MM-dd")).isValid())
        return QStringLiteral("일자를 YYYY-MM-DD 형식으로 입력하시오.");
    // Text widths are checked here so that a long text is refused with a
    // message rather than by the server.
    const QList<QPair<QString, QPair<QString, int>>> texts = {
        {v.kind, {QStringLiteral("품명"), 10}},       {v.standard, {QStringLiteral("규격"), 10}},
        {v.goverNum, {QStringLiteral("물품번호"), 15}}, {v.rulKs, {QStringLiteral("KS"), 10}},
        {v.cement1, {QStringLiteral("시멘트1"), 20}},   {v.cement2, {QStringLiteral("시멘트2"), 20}},
        {v.ad1, {QStringLiteral("혼합재료"), 20}},      {v.ad2, {QStringLiteral("혼화제"), 20}},
        {v.kong, {QStringLiteral("공기량"), 30}},       {v.yeom, {QStringLiteral("염화물함량"), 30}},
    };
    for (const auto& [text, limit] : texts) {
        const QString msg = checkText(limit.first, text, limit.second);
        if (!msg.isEmpty())
            return msg;
    }
    for (auto it = v.numbers.cbegin(); it != v.numbers.cend(); ++it) {
        if (!numberColumns().contains(it.key()))
            throw DbError(QStringLiteral("unknown column ") + it.key());
        const QString msg = checkNumber(it.key(), it.value());
        if (!msg.isEmpty())
            return msg;
    }
    return {};
}

// The insert of one version with the given current/superseded mark.
void insertVersion(const Version& v, const QString& gubun)
{
    static const QStringList texts = {"saup", "remi_code", "ilja", "kind", "standard"};
    static const QStringList mixFirst = {"cement_1", "cement_2", "cement_3", "sand_1", "sand_2", "sand_3",
                                         "gravel_1", "gravel_2", "gravel_3", "ad_1",   "ad_2",   "ad_3",
                                         "water_1",  "water_2",  "kwan_danga", "sa_danga"};
    static const QStringList mixLast = {"cement_4", "cement_5", "cement_6", "sand_4", "sand_5", "sand_6",
                                        "gravel_4", "gravel_5", "gravel_6", "ad_4",   "ad_5",   "ad_6"};
    QStringList cols = texts;
    Sql::Binds binds = {session().SessionSaup, v.code, v.ilja, v.kind, v.standard};
    for (const QString& c : mixFirst) {
        cols << c;
        binds << v.number(c);
    }
    cols << "gubun" << "gover_num" << "rul_ks" << "wc" << "sa" << "slg" << "cement1" << "cement2" << "ad1"
         << "ad2" << "kong" << "yeom";
    binds << gubun << v.goverNum << v.rulKs << v.number("wc") << v.number("sa") << v.number("slg") << v.cement1
          << v.cement2 << v.ad1 << v.ad2 << v.kong << v.yeom;
    for (const QString& c : mixLast) {
        cols << c;
        binds << v.number(c);
    }
    QStringList marks;
    for (int i = 0; i < cols.size(); ++i)
        marks << QStringLiteral("?");
    Sql::exec(QStringLiteral("insert into r_size (%1) values (%2)").arg(cols.join(", "), marks.join(", ")), binds);
}

bool versionExists(const QString& code, const QString& ilja)
{
    return Sql::exists(QStringLiteral("select 1 from r_size where remi_code = ? and ilja = ?"), {code, ilja});
}

} // namespace

const QStringList& numberColumns()
{
    static const QStringList cols = [] {
        QStringList c = {"wc", "sa", "slg"};
        for (const char* m : {"cement", "sand", "gravel", "ad"})
            for (int i = 1; i <= 6; ++i)
                c << QStringLiteral("%1_%2").arg(QLatin1String(m)).arg(i);
        c << "water_1" << "water_2" << "sa_danga" << "kwan_danga";
        return c;
    }();
    return cols;
}

bool isIntegerColumn(const QString& column)
{
    static const QRegularExpression firstThree(QStringLiteral("^(cement|sand|gravel)_[1-3]$"));
    return column == QLatin1String("kwan_danga") || column == QLatin1String("sa_danga")
        || firstThree.match(column).hasMatch();
}

QString numberLabel(const QString& column)
{
    static const QMap<QString, QString> fixed = {
        {"wc", "W/C(%)"},       {"sa", "S/A(%)"},   {"slg", "슬러지 고형분율(%)"},
        {"water_1", "W1"},      {"water_2", "W2"},  {"sa_danga", "사급단가"},
        {"kwan_danga", "관급단가"},
    };
    if (fixed.contains(column))
        return fixed.value(column);
    static const QMap<QString, QString> prefix = {{"cement", "C"}, {"sand", "S"}, {"gravel", "G"}, {"ad", "AD"}};
    const int us = int(column.lastIndexOf(QLatin1Char('_')));
    return prefix.value(column.left(us), column) + column.mid(us + 1);
}

QString parseNumber(const QString& column, const QString& text, double* value)
{
    *value = 0;
    QString t = text.trimmed();
    t.remove(QLatin1Char(','));
    if (t.isEmpty())
        return {};
    bool ok = false;
    const double d = QLocale::c().toDouble(t, &ok);
    if (!ok)
        return QStringLiteral("%1에 숫자를 입력하시오.").arg(numberLabel(column));
    const QString msg = checkNumber(column, d);
    if (msg.isEmpty())
        *value = d;
    return msg;
}

QString normalizeCode(const QString& typed)
{
    const QString t = typed.trimmed();
    return t.isEmpty() ? t : PadDigits(t, 4);
}

Rows currentVersions()
{
    return Sql::select(QStringLiteral("select * from r_size where gubun = ? order by remi_code"), {Current});
}

Rows versions(const QString& code)
{
    return Sql::select(QStringLiteral("select * from r_size where remi_code = ? order by ilja"), {code});
}

Rows allVersions()
{
    return Sql::select(QStringLiteral("select * from r_size order by remi_code, ilja"));
}

Version fromRows(const Rows& r, int i)
{
    Version v;
    v.code = r.text(i, "remi_code");
    v.ilja = r.text(i, "ilja");
    v.kind = r.text(i, "kind");
    v.standard = r.text(i, "standard");
    v.goverNum = r.text(i, "gover_num");
    v.rulKs = r.text(i, "rul_ks");
    v.cement1 = r.text(i, "cement1");
    v.cement2 = r.text(i, "cement2");
    v.ad1 = r.text(i, "ad1");
    v.ad2 = r.text(i, "ad2");
    v.kong = r.text(i, "kong");
    v.yeom = r.text(i, "yeom");
    v.gubun = r.text(i, "gubun");
    for (const QString& c : numberColumns())
        v.numbers.insert(c, r.number(i, c));
    return v;
}

bool read(const QString& code, const QString& ilja, Version* out)
{
    const Rows r = Sql::select(QStringLiteral("select * from r_size where ilja = ? and remi_code = ?"), {ilja, code});
    if (r.isEmpty())
        return false;
    *out = fromRows(r, 0);
    return true;
}

QString previousDate(const QString& code, const QString& ilja)
{
    return Sql::textOf(
        Sql::scalar(QStringLiteral("select max(ilja) from r_size where remi_code = ? and ilja < ?"), {code, ilja}));
}

QString lastDate(const QString& code)
{
    return Sql::textOf(Sql::scalar(QStringLiteral("select max(ilja) from r_size where remi_code = ?"), {code}));
}

QStringList storedValues(const QString& column)
{
    if (!kMaterialColumns.contains(column))
        throw DbError(QStringLiteral("not a material column: ") + column);
    QStringList out;
    const Rows r = Sql::select(
        QStringLiteral("select distinct %1 from r_size where %1 is not null and %1 <> '' order by 1").arg(column));
    for (int i = 0; i < r.size(); ++i)
        out << r.text(i, column);
    return out;
}

QString addSpec(const Version& v)
{
    const QString msg = checkVersion(v);
    if (!msg.isEmpty())
        return msg;
    Transaction tx;
    // A code that exists takes further versions through addVersion; a second
    // "new" spec under it would make two current versions.
    if (Sql::exists(QStringLiteral("select 1 from r_size where remi_code = ?"), {v.code}))
        return MsgCodeExists;
    insertVersion(v, Current);
    tx.commit();
    return {};
}

QString addVersion(const Version& v)
{
    const QString msg = checkVersion(v);
    if (!msg.isEmpty())
        return msg;
    Transaction tx;
    if (versionExists(v.code, v.ilja))
        return MsgCodeExists;
    const QString last = lastDate(v.code);
    if (v.ilja > last) {
        insertVersion(v, Current);
        Sql::exec(QStringLiteral("update r_size set gubun = ? where remi_code = ? and ilja <> ?"),
                  {Superseded, v.code, v.ilja});
    } else {
        insertVersion(v, Superseded);
    }
    tx.commit();
    return {};
}

QString changeVersion(const Version& v)
{
    const QString msg = checkVersion(v);
    if (!msg.isEmpty())
        return msg;
    Transaction tx;
    if (!versionExists(v.code, v.ilja))
        return QStringLiteral("수정할 자료가 없습니다.");
    QStringList sets = {"standard = ?", "kind = ?", "gover_num = ?", "rul_ks = ?"};
    Sql::Binds binds = {v.standard, v.kind, v.goverNum, v.rulKs};
    for (const QString& c : numberColumns()) {
        sets << c + QStringLiteral(" = ?");
        binds << v.number(c);
    }
    sets << "cement1 = ?" << "cement2 = ?" << "ad1 = ?" << "ad2 = ?" << "kong = ?" << "yeom = ?";
    binds << v.cement1 << v.cement2 << v.ad1 << v.ad2 << v.kong << v.yeom << v.ilja << v.code;
    Sql::exec(QStringLiteral("update r_size set %1 where ilja = ? and remi_code = ?").arg(sets.join(", ")), binds);
    for (const char* book : {"r_mast", "tax_mast", "jo_mast"})
        Sql::exec(QStringLiteral("update %1 set standard = ? where remi_code = ?").arg(QLatin1String(book)),
                  {v.standard, v.code});
    Sql::exec(QStringLiteral("update r_suju set v_rule = ?, kind = ? where remi_code = ?"),
              {v.standard, v.kind, v.code});
    tx.commit();
    return {};
}

QString deleteVersion(const QString& code, const QString& ilja)
{
    Transaction tx;
    const Rows r = Sql::select(QStringLiteral("select ilja, gubun from r_size where remi_code = ? order by ilja"), {code});
    int shown = -1;
    for (int i = 0; i < r.size(); ++i)
        if (r.text(i, "ilja") == ilja)
            shown = i;
    if (shown < 0)
        return QStringLiteral("삭제할 자료가 없습니다.");
    if (r.size() == 1)
        return MsgDeleteAbove;
    Sql::exec(QStringLiteral("delete from r_size where ilja = ? and remi_code = ?"), {ilja, code});
    if (r.text(shown, "gubun") == Current) {
        // The latest remaining version takes over: the one before the deleted
        // version when, as always, the current one is the latest.
        const int next = shown == r.size() - 1 ? shown - 1 : r.size() - 1;
        Sql::exec(QStringLiteral("update r_size set gubun = ? where remi_code = ? and ilja = ?"),
                  {Current, code, r.text(next, "ilja")});
    }
    tx.commit();
    return {};
}

QString deleteSpec(const QString& code, const QString& standard)
{
    if (code.isEmpty())
        return MsgCodeOrDate;
    Transaction tx;
    Sql::exec(QStringLiteral("delete from r_size where remi_code = ?"), {code});
    for (const char* book : {"r_mast", "tax_mast", "jo_mast"})
        Sql::exec(QStringLiteral("delete from %1 where remi_code = ?").arg(QLatin1String(book)), {code});
    // An empty name would match every contract and order that has none.
    if (!standard.isEmpty()) {
        Sql::exec(QStringLiteral("delete from r_hyun_order where standard = ?"), {standard});
        Sql::exec(QStringLiteral("delete from cont_carry c where exists (select 1 from r_suju s"
                                 " where s.ilja = c.ilja and s.seq = c.seq and s.v_rule = ?)"),
                  {standard});
        Sql::exec(QStringLiteral("delete from r_suju where v_rule = ?"), {standard});
    }
    tx.commit();
    return {};
}

} // namespace Specs
