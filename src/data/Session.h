#pragma once
// Run-wide values of one run of the program. They start empty (numbers at 0)
// and are never saved between runs.
#include <QString>

inline const QString LevelP = QStringLiteral("P");
inline const QString LevelQ = QStringLiteral("Q");
inline const QString LevelR = QStringLiteral("R");

struct Session {
    // From the company row (enrol) at start-up.
    QString SessionSaup;
    QString SessionCompanyName;
    QString SessionJapum;
    // First month of the books: the first ilja of the opening balances.
    QString StartMonth;
    // From the login.
    QString SessionUser;
    QString SessionLevel;
    // Set by each menu command before its window opens.
    int ReportKind = 0;
    int BookMode = 0;
    // ISO document code printed in report footers (the order print sets 1).
    int IsoCode = 0;
    // In/out values of the code lookup.
    QString LookupKey, LookupName, LookupAux1, LookupAux2, LookupAux3;
    QString LookupCustomer, LookupSite;
    double LookupPublicPrice = 0;
    double LookupPrivatePrice = 0;
    // Picked in the postal-code window.
    QString ZipAddress, ZipCode;
    // Print the site column on statements and ledgers.
    bool ShowSiteColumn = false;

    // Reads enrol (SessionSaup, SessionCompanyName, SessionJapum) and
    // StartMonth from the open database. A missing row leaves the values empty.
    void loadCompany();
    // "company[japum]", the application title after start-up.
    QString applicationTitle() const;
};

// The one Session of the run.
Session& session();
