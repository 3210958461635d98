#pragma once
// The spec window (규격 관리): the current version of every spec above, the
// versions of one spec below, the version shown in the detail fields, and
// the buttons of the spec and of its versions.
#include "masters/Specs.h"
#include "widgets/EntryForm.h"
#include "widgets/Grid.h"

#include <QMap>

class QPushButton;

class TSIZE_F : public EntryForm {
    Q_OBJECT
public:
    // Browse; a new spec being registered; a version being added to the shown
    // spec; the shown version being changed.
    enum class Mode { Browse, NewSpec, VersionAdded, VersionChanged };

    explicit TSIZE_F(QWidget* parent = nullptr);

    Mode mode() const { return mode_; }
    DataGrid* upperGrid() const { return gridhord; }
    DataGrid* lowerGrid() const { return gridhord1; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    void declareFields();
    void declareButtons();
    QList<GridColumn> gridColumns(DataGrid* grid);

    // Activation: grids, lists and buttons as when the window opens.
    void activate();
    void loadUpper(const QString& keepCode = {});
    void loadLower(const QString& code, const QString& keepDate = {});
    void loadLists();
    void setMode(Mode m);
    void updateVersionButtons();

    void showVersion(const Specs::Version& v);
    void showRecord(int record);
    void emptyFields();
    // The version typed into the detail fields; false (with the message shown
    // and the field focused) when a number is not one.
    bool typedVersion(Specs::Version* v);
    QString shownCode() const;

    // Detail fields and the editable grid row show the same version.
    void bindGrid(DataGrid* grid, int record);
    void gridToFields();
    void fieldToGrid(const QString& column);

    // Handlers.
    bool codeEntered();
    bool yeomEntered();
    int gridCodeEntered(DataGrid* grid, int record);
    int gridDateEntered(DataGrid* grid, int record);
    void newSpec();
    void saveSpec();
    void deleteSpec();
    void findSpecs();
    void printList();
    void cancelSpec();
    void addVersion();
    void changeVersion();
    void deleteVersion();
    void saveVersion();
    void cancelVersion();

    Mode mode_ = Mode::Browse;
    bool activated_ = false;
    bool syncing_ = false;
    DataGrid* gridhord = nullptr;
    DataGrid* gridhord1 = nullptr;
    DataGrid* boundGrid_ = nullptr;
    int boundRecord_ = -1;
    QString shownDate_; // the version in the detail fields (empty when none)
    QMap<QString, QWidget*> byColumn_; // r_size column → detail field
    QPushButton *verAdd_, *verEdit_, *verDelete_, *verSave_, *verCancel_;
};
