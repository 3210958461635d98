#pragma once
// The spec list window (규격 조회): the versions a search chose, with record
// navigation.
#include "data/Sql.h"

#include <QDialog>

class DataGrid;
class QLabel;

class Tsizelist_f : public QDialog {
    Q_OBJECT
public:
    Tsizelist_f(const QString& title, const Rows& rows, QWidget* parent = nullptr);
    DataGrid* grid() const { return grid_; }

private:
    void go(int record);
    DataGrid* grid_;
    QLabel* title_;
};
