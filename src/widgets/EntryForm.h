#pragma once
// The shape shared by the entry and master windows: a numbered button bar
// whose enabled set follows the window's state, declared fields that are
// locked while browsing and walked with Enter (after the field's check),
// PageUp and PageDown, a status bar with the company, the user and the state
// (text or picture), and the password panel.
//
// A window derives from EntryForm, declares its fields, buttons and grid in
// its constructor, and writes only its handlers:
//
//   class TSTAFF_F : public EntryForm {
//   public:
//       TSTAFF_F() : EntryForm("TSTAFF_F", "담당자 관리") {
//           code = addField({.name = "Edit1", .label = "코     드", .kind = FieldKind::Code,
//                            .width = 3, .onEnter = [this] { return checkCode(); }, .key = true});
//           name = addField({.name = "Edit2", .label = "이     름", .width = 10});
//           addButton("newbtn", "&1.등록", Browse, [this] { clearFields(); setState(New); });
//           addButton("savbtn", "&6.저장", New | Edit, [this] { save(); });
//           addCloseButton("clsbtn", "&9.닫기");
//           setState(Browse);
//       }
//       ...
//   };
#include "widgets/Field.h"

#include <QDialog>
#include <QFlags>
#include <QPixmap>
#include <functional>

class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QStatusBar;
class PasswordPanel;

class EntryForm : public QDialog {
    Q_OBJECT
public:
    enum State { Browse = 0x1, New = 0x2, Edit = 0x4, Delete = 0x8 };
    Q_DECLARE_FLAGS(States, State)

    EntryForm(const QString& name, const QString& caption, QWidget* parent = nullptr);

    State state() const { return state_; }
    // Browse and Delete lock every field but the free ones; New unlocks them
    // all; Edit unlocks all but the key fields. Buttons follow, and the status
    // bar shows "조회및 등록", the new-row picture, the change picture or "삭제".
    void setState(State s);

    // Buttons declared with needsRow are enabled in Browse only while a row is
    // shown (after a grid click); in the other states they follow their states.
    void setRowShown(bool shown);
    bool rowShown() const { return rowShown_; }

    Field* field(const QString& name) const;
    ListField* list(const QString& name) const;
    QPushButton* button(const QString& name) const;

    // Empties every text field; lists go back to their first item.
    void clearFields();
    // Focus on the next / previous field that can be typed into (wrapping round).
    void focusNext(QWidget* from);
    void focusPrevious(QWidget* from);

    // State panel of the status bar: a text that stays until the next setState
    // ("도 움 말"), or the state's own text or picture.
    void setStatusText(const QString& text);
    QLabel* statePanel() const { return statePanel_; }

    // The password panel pass_pan / pass_edit ("암호 등록").
    PasswordPanel* passwordPanel();
    void askPassword(const QString& staffCode, std::function<void()> onAccepted,
                     std::function<void()> onRefused = {});

    // Picture of the new-row (New) or change (Edit) state: "등록.bmp" or
    // "수정.bmp" from the configured picture folder, else the kit's own.
    static QPixmap statePicture(State s);

protected:
    Field* addField(const FieldSpec& spec);
    ListField* addList(const FieldSpec& spec);
    // The fields declared until endSection() go into a group box of this name
    // (a panel the window shows and hides, like an integrated-site panel).
    QGroupBox* beginSection(const QString& name, const QString& title = {});
    void endSection();

    // A button of the bar (captions such as "&1.등록" give Alt+1). The handler
    // runs after Hangul input is committed; a DbError shows its message.
    QPushButton* addButton(const QString& name, const QString& caption, States enabledIn,
                           std::function<void()> onClick, bool needsRow = false);
    QPushButton* addCloseButton(const QString& name, const QString& caption);

    // A further panel of the status bar (fixed text).
    QLabel* addStatusPanel(const QString& text);

    // The area between the button bar and the status bar. The field panel is
    // added to it when the first field is declared; put a grid before it with
    // body()->insertWidget(0, grid).
    QHBoxLayout* body() const { return body_; }
    QWidget* fieldPanel();

    // Runs a handler of the window the way the kit runs its own: Hangul input
    // committed first, DbError shown. False when it failed.
    bool run(const std::function<void()>& handler);

    bool eventFilter(QObject* o, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    struct Entry {
        QWidget* widget;
        FieldSpec spec;
    };
    struct Button {
        QPushButton* button;
        States enabledIn;
        bool needsRow;
    };
    // Fields go in rows: the first label in the label column, the fields of
    // the row (and the labels of the later ones) side by side after it.
    struct Container {
        QGridLayout* grid;
        int row = -1;
        QHBoxLayout* line = nullptr;
    };
    void place(QWidget* w, const FieldSpec& spec);
    void enter(QWidget* w, const Entry& entry);
    bool canFocus(const Entry& e) const;
    bool unlocked(const FieldSpec& spec) const;
    const Entry* entryOf(const QObject* w) const;
    void updateButtons();
    void showState();
    void stepFocus(QWidget* from, int step);

    State state_ = Browse;
    bool rowShown_ = false;
    QList<Entry> fields_;
    QList<Button> buttons_;
    QList<Container> containers_;
    QHBoxLayout* buttonBar_;
    QHBoxLayout* body_;
    QWidget* fieldPanel_ = nullptr;
    QStatusBar* statusBar_;
    QLabel* companyPanel_;
    QLabel* userPanel_;
    QLabel* statePanel_;
    PasswordPanel* password_ = nullptr;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(EntryForm::States)
