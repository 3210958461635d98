#pragma once
// How a long operation (a closing, a report over years) reports progress
// without knowing about windows. The desktop connects this to the main
// window's two gauges; varer-cli and tests leave it silent or print it.
#include <QString>

class Progress {
public:
    virtual ~Progress() = default;
    // gauge 0 or 1 (the main window has two); position within 0..maximum.
    virtual void start(int gauge, int maximum) = 0;
    virtual void step(int gauge, int position) = 0;
    virtual void finish(int gauge) = 0;

    // The sink in force for the run; never null (a silent one by default).
    static Progress& current();
    static void install(Progress* sink); // nullptr restores the silent one
};
