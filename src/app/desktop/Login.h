#pragma once
// The login check, without widgets: a staff name and password that match a
// row of youngup, and the processing class P, Q or R. Three failures end the
// login.
#include <QString>

class Login {
public:
    enum class Result {
        Accepted, // SessionUser and SessionLevel are set
        Retry,    // wrong name or password; another attempt is allowed
        Refused,  // the third wrong attempt: the program ends
    };

    static constexpr int MaxAttempts = 3;

    // "P", "Q" or "R".
    static bool isLevel(const QString& level);

    // True when some staff row has exactly this name (man) and password (pass).
    // Two staff members with the same name and password are one login.
    static bool matches(const QString& user, const QString& password);

    // One try with a valid class. Database errors propagate as DbError and
    // do not count as an attempt.
    Result attempt(const QString& user, const QString& password, const QString& level);

    int failures() const { return failures_; }

private:
    int failures_ = 0;
};
