// The windows the main menu opens, by the window class name the menu table
// (MainMenu.cpp) gives. Adding a window is one line here (plus its include):
//
//     r.addWindow("TCUSTOMER_F", makeWindow<TCUSTOMER_F>);
//
// Windows that live for the whole run are added with addPreCreated, in the
// order they are created at start-up (TP_Formf, TCalendarDlg, Ttax_f,
// Ttax_list_f, Ttax_prn_f, Tghyun_job_f); their constructors must not read the
// database, which is opened only after the main window is shown. Menu commands
// without a window of their own (YearClosing, TaxYearClosing) use addCommand.
// A window that serves several items by ReportKind and does not produce all
// of them yet lists the kinds it does; the other items stay disabled, as does
// every item whose name is missing here.
#include "app/desktop/WindowRegistry.h"
#include "books/ui/Tipkum_f.h"
#include "books/ui/Tmast_f.h"
#include "masters/ui/TCUSTOMER_F.h"
#include "masters/ui/THYUNJANG_F.h"
#include "masters/ui/TMISU_F.h"
#include "masters/ui/TSIZE_F.h"
#include "receivables/ui/Tmakam_f.h"
#include "receivables/ui/YearClosingCommand.h"
#include "shipping/ui/Tiljaprint_f.h"
#include "shipping/ui/Tsuju_f.h"

void registerAppWindows(WindowRegistry& r)
{
    r.addWindow("TCUSTOMER_F", makeWindow<TCUSTOMER_F>);
    r.addWindow("THYUNJANG_F", makeWindow<THYUNJANG_F>);
    r.addWindow("TMISU_F", makeWindow<TMISU_F>);
    r.addWindow("TSIZE_F", makeWindow<TSIZE_F>);
    r.addWindow("Tmast_f", makeWindow<Tmast_f>);
    r.addWindow("Tipkum_f", makeWindow<Tipkum_f>);
    r.addWindow("Tiljaprint_f", makeWindow<Tiljaprint_f>, {2}); // the shipment closing; the journals come later
    r.addWindow("Tmakam_f", makeWindow<Tmakam_f>);
    r.addWindow("Tsuju_f", makeWindow<Tsuju_f>);
    r.addCommand("YearClosing", [](QWidget* parent) { RunYearClosing(parent, 0); });
    r.addCommand("TaxYearClosing", [](QWidget* parent) { RunYearClosing(parent, 1); });
}
