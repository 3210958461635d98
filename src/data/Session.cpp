#include "data/Session.h"
#include "data/Sql.h"

Session& session()
{
    static Session s;
    return s;
}

void Session::loadCompany()
{
    const Rows company = Sql::select(QStringLiteral("select saup, name, japum from enrol"));
    SessionSaup = company.text(0, "saup");
    SessionCompanyName = company.text(0, "name");
    SessionJapum = company.text(0, "japum");
    const Rows months = Sql::select(QStringLiteral("select distinct ilja from r_misu order by ilja"));
    StartMonth = months.text(0, "ilja");
}

QString Session::applicationTitle() const
{
    return SessionCompanyName + QLatin1Char('[') + SessionJapum + QLatin1Char(']');
}
