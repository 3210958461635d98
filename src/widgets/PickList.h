#pragma once
// The pick list of the code lookup: a small window with one grid of
// candidates. One window serves the whole run; each lookup sets its
// caption, place, size, columns and rows.
#include "data/CodeLookup.h"

#include <QDialog>
#include <optional>

class DataGrid;

class TP_Formf : public QDialog {
    Q_OBJECT
public:
    // The one pick list of the run, created on first use.
    static TP_Formf& instance();

    // Shows the candidates of `lookup` at (left, top) with the given size and
    // waits. Enter or a click on a cell picks the row into the lookup slots
    // and closes; Esc closes and leaves every slot as it was. A title click
    // re-reads the list in that column's order where the kind allows it.
    // True when a row was picked.
    bool choose(const CodeLookup& lookup, int top, int left, int width, int height);

    DataGrid* grid() const { return Grd_pan; }

private:
    TP_Formf();
    void pick(int row);
    void showRows();

    DataGrid* Grd_pan;
    std::optional<CodeLookup> lookup_;
};

// The usual call of a window: searches `kind` for the slots already set
// (LookupKey, LookupAux1, …) and opens the pick list when the key does not
// find exactly one row. True when the slots now hold a row (found at once or
// picked); false after Esc or a database error (shown to the user).
bool RunCodeLookup(int kind, int top = 146, int left = 500, int width = 254, int height = 356);
