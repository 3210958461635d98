#include "data/Sql.h"
#include "data/Db.h"

#include <QSqlError>
#include <QRegularExpression>
#include <QSqlRecord>

namespace {

int g_depth = 0;            // nesting of Transaction guards
bool g_rollbackOnly = false; // an inner guard gave up: the outermost must not commit
quint64 g_transactionCount = 0; // outermost transactions begun so far

QString errorText(const QSqlError& e)
{
    QString t = e.databaseText().trimmed();
    if (t.isEmpty())
        t = e.driverText().trimmed();
    return t.isEmpty() ? e.text() : t;
}

QSqlQuery prepared(const QString& sql, const Sql::Binds& binds)
{
    QSqlQuery q(Db::connection());
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw DbError(errorText(q.lastError()));
    for (int i = 0; i < binds.size(); ++i) {
        QVariant v = binds.at(i);
        if (v.typeId() == QMetaType::QString && v.toString().isNull())
            v = QString(QLatin1String(""));
        q.bindValue(i, v);
    }
    if (!q.exec())
        throw DbError(errorText(q.lastError()));
    return q;
}

} // namespace

int Rows::column(const QString& name) const
{
    return int(columns.indexOf(name.toLower()));
}

QVariant Rows::value(int row, const QString& name) const
{
    const int c = column(name);
    if (c < 0 || row < 0 || row >= data.size())
        return {};
    return data.at(row).at(c);
}

QString Rows::text(int row, const QString& name) const { return Sql::textOf(value(row, name)); }

double Rows::number(int row, const QString& name) const
{
    const QVariant v = value(row, name);
    return v.isNull() ? 0.0 : v.toDouble();
}

namespace Sql {

QString textOf(const QVariant& v)
{
    if (v.isNull())
        return QString(QLatin1String(""));
    if (v.typeId() == QMetaType::QByteArray)
        return QString::fromUtf8(v.toByteArray());
    return v.toString();
}

int exec(const QString& sql, const Binds& binds)
{
    if (!Transaction::active()) {
        Transaction tx;
        const int n = exec(sql, binds);
        tx.commit();
        return n;
    }
    QSqlQuery q = prepared(sql, binds);
    static const QRegularExpression ddl(QStringLiteral("^\\s*(create|alter|drop|recreate)\\b"),
                                        QRegularExpression::CaseInsensitiveOption);
    const int n = ddl.match(sql).hasMatch() ? 0 : q.numRowsAffected();
    q.finish();
    return n;
}

Rows select(const QString& sql, const Binds& binds)
{
    Rows rows;
    QSqlQuery q = prepared(sql, binds);
    const QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i)
        rows.columns << rec.fieldName(i).toLower();
    const int n = rec.count();
    while (q.next()) {
        QVariantList r;
        r.reserve(n);
        for (int i = 0; i < n; ++i)
            r << q.value(i);
        rows.data << r;
    }
    if (q.lastError().isValid())
        throw DbError(errorText(q.lastError()));
    return rows;
}

QVariant scalar(const QString& sql, const Binds& binds)
{
    QSqlQuery q = prepared(sql, binds);
    QVariant v;
    if (q.next())
        v = q.value(0);
    if (q.lastError().isValid())
        throw DbError(errorText(q.lastError()));
    return v;
}

void forEach(const QString& sql, const Binds& binds, const std::function<void(const QSqlQuery&)>& fn)
{
    QSqlQuery q = prepared(sql, binds);
    while (q.next())
        fn(q);
    if (q.lastError().isValid())
        throw DbError(errorText(q.lastError()));
}

bool exists(const QString& sql, const Binds& binds)
{
    QSqlQuery q = prepared(sql, binds);
    return q.next();
}

} // namespace Sql

Sql::Prepared::Prepared(const QString& sql) : sql_(sql) {}

int Sql::Prepared::exec(const Binds& binds)
{
    if (!Transaction::active()) {
        Transaction tx;
        const int n = exec(binds);
        tx.commit();
        return n;
    }
    if (transaction_ != g_transactionCount) {
        q_ = QSqlQuery(Db::connection());
        q_.setForwardOnly(true);
        if (!q_.prepare(sql_))
            throw DbError(errorText(q_.lastError()));
        transaction_ = g_transactionCount;
    }
    for (int i = 0; i < binds.size(); ++i) {
        QVariant v = binds.at(i);
        if (v.typeId() == QMetaType::QString && v.toString().isNull())
            v = QString(QLatin1String(""));
        q_.bindValue(i, v);
    }
    if (!q_.exec())
        throw DbError(errorText(q_.lastError()));
    const int n = q_.numRowsAffected();
    q_.finish();
    return n;
}

Transaction::Transaction()
{
    if (g_depth == 0) {
        QSqlDatabase db = Db::connection();
        if (!db.transaction())
            throw DbError(errorText(db.lastError()));
        outermost_ = true;
        g_rollbackOnly = false;
        ++g_transactionCount;
    }
    ++g_depth;
}

Transaction::~Transaction()
{
    if (!done_)
        rollback();
}

void Transaction::commit()
{
    if (done_)
        return;
    if (!outermost_) {
        done_ = true;
        --g_depth;
        return;
    }
    if (g_rollbackOnly) {
        rollback();
        throw DbError(QStringLiteral("작업의 일부가 실패하여 전체를 취소했습니다."));
    }
    QSqlDatabase db = Db::connection();
    if (!db.commit()) {
        const QString msg = errorText(db.lastError());
        rollback();
        throw DbError(msg);
    }
    done_ = true;
    --g_depth;
}

void Transaction::rollback()
{
    if (done_)
        return;
    done_ = true;
    --g_depth;
    if (outermost_) {
        Db::connection().rollback();
        g_rollbackOnly = false;
    } else {
        g_rollbackOnly = true;
    }
}

bool Transaction::active() { return g_depth > 0; }
