#include "app/desktop/Login.h"
#include "data/Session.h"
#include "data/Sql.h"

bool Login::isLevel(const QString& level)
{
    return level == LevelP || level == LevelQ || level == LevelR;
}

bool Login::matches(const QString& user, const QString& password)
{
    // The casts let a typed text longer than the columns simply not match
    // instead of failing as a truncation.
    return Sql::exists(QStringLiteral("select 1 from youngup where man = cast(? as varchar(100)) "
                                      "and pass = cast(? as varchar(100))"),
                       {user, password});
}

Login::Result Login::attempt(const QString& user, const QString& password, const QString& level)
{
    if (matches(user, password)) {
        session().SessionUser = user;
        session().SessionLevel = level;
        return Result::Accepted;
    }
    ++failures_;
    return failures_ >= MaxAttempts ? Result::Refused : Result::Retry;
}
