#pragma once
// The menu commands that close a whole year: "년마감(전체)" for the sales
// book and "마감" of the tax-invoice menu for the tax book. Both ask for the
// year in the input box "레미콘 연말 마감", which proposes the year typed
// last time during this run.
#include <QString>

class QWidget;

// book 0: the sales book into makam; 1: the tax book into tax_makam.
void RunYearClosing(QWidget* parent, int book);

// The year the input box proposes (what was typed last time; empty at first).
QString& RememberedClosingYear();
