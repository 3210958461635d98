#pragma once
// The one way to reach the database: bound statements on the shared
// connection, errors as DbError carrying the server's own message, and an
// RAII transaction guard.
#include <QList>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <stdexcept>

class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }
private:
    QString message_;
};

// A result set read completely into memory. Column names are lower case.
class Rows {
public:
    QStringList columns;
    QList<QVariantList> data;

    int size() const { return int(data.size()); }
    bool isEmpty() const { return data.isEmpty(); }
    int column(const QString& name) const; // -1 when absent
    QVariant value(int row, const QString& name) const;
    QString text(int row, const QString& name) const;   // null and absent read as ""
    double number(int row, const QString& name) const;  // null and absent read as 0
};

namespace Sql {

// Values for '?' placeholders. A null QString binds as an empty text; an
// invalid QVariant() binds as SQL NULL.
using Binds = QVariantList;

// Runs a statement that writes; returns the number of rows it touched.
// Outside a Transaction it runs in a transaction of its own.
int exec(const QString& sql, const Binds& binds = {});

// Runs a select and reads every row.
Rows select(const QString& sql, const Binds& binds = {});

// First column of the first row (invalid QVariant when there is no row).
QVariant scalar(const QString& sql, const Binds& binds = {});

// Streams a large select row by row without keeping it in memory.
void forEach(const QString& sql, const Binds& binds, const std::function<void(const QSqlQuery&)>& fn);

bool exists(const QString& sql, const Binds& binds = {});

// Text of a column read from a QSqlQuery row: null reads as "", BLOB text is decoded.
QString textOf(const QVariant& v);

} // namespace Sql

namespace Sql {

// A statement prepared once and run for many rows with new values (bulk
// writes, closings): the server parses it once per transaction (the driver
// ties a prepared statement to the transaction it first ran in, so it is
// prepared again when a new transaction begins). Run it inside a Transaction.
class Prepared {
public:
    explicit Prepared(const QString& sql);
    // Binds the values to the '?' placeholders in order and runs the
    // statement; returns the number of rows it touched.
    int exec(const Binds& binds);
private:
    QString sql_;
    QSqlQuery q_;
    quint64 transaction_ = 0; // the transaction q_ was prepared in
};

} // namespace Sql

// Begins a transaction on the shared connection; rolls it back when it goes
// out of scope without commit(). Guards nest: only the outermost one talks to
// the database, so a routine that writes several statements can be called
// alone or inside a larger operation.
class Transaction {
public:
    Transaction();
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();
    void rollback();
    static bool active();
private:
    bool outermost_ = false;
    bool done_ = false;
};
