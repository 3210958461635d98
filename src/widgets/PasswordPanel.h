#pragma once
// The password panel ("암호 등록"): a small panel over the window with a
// masked field. Enter compares the typed text exactly with the password of
// a staff row of youngup: 589 guards corrections and deletions, 111
// approvals and staff changes.
#include <QFrame>
#include <functional>

class QLineEdit;

namespace StaffPassword {
inline const QString Correction = QStringLiteral("589");
inline const QString Approval = QStringLiteral("111");
} // namespace StaffPassword

class PasswordPanel : public QFrame {
    Q_OBJECT
public:
    explicit PasswordPanel(QWidget* parent, const QString& name = QStringLiteral("pass_pan"),
                           const QString& editName = QStringLiteral("pass_edit"));

    // Shows the panel with an empty field and the focus in it. Enter then
    // checks the text against the password of `staffCode`: a match hides the
    // panel and runs onAccepted; a mismatch hides it, shows "암호가 틀렸습니다."
    // and runs onRefused. Esc hides the panel and runs onRefused.
    void ask(const QString& staffCode, std::function<void()> onAccepted, std::function<void()> onRefused = {});

    QLineEdit* edit() const { return edit_; }

    // True when `typed` equals the stored password of the staff row exactly.
    // A missing staff row matches nothing. Throws DbError.
    static bool matches(const QString& staffCode, const QString& typed);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void check();
    void refuse(bool withMessage);
    QLineEdit* edit_;
    QString staffCode_;
    std::function<void()> onAccepted_, onRefused_;
};
