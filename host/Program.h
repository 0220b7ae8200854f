#pragma once

#include "form/CallTrace.h"
#include "form/Form.h"

#include <functional>
#include <memory>

namespace host {

// What a program says of itself on its command line and to the desktop; each program's build
// supplies programInfo() from the same texts as its menu entry and manual page.
struct ProgramInfo {
    char const* name; // the command, as installed
    char const* id;   // the desktop id, also the icon's name
    char const* version;
    char const* summary; // one line
    char const* titleJa;
    char const* summaryJa;
    char const* interfaceJa; // which interface the algorithm knows
};

ProgramInfo const& programInfo();

// Makes the startup form; with a trace, one whose interface calls are traced.
using FormFactory = std::function<std::unique_ptr<form::Form>(form::CallTrace* trace)>;

// Starts the program: reads the command line (--help, --version, --trace and the standard Qt
// options), creates the application and the form's window, shows it and runs the event loop until
// the window is closed. Without a graphical desktop it says so and returns 1; when Qt's platform
// cannot start, it names the cause (a missing plugin, the display) and ends with exit status 1. An
// option or argument it does not take gives the usage and 2.
int runProgram(int& argc, char** argv, FormFactory const& makeForm);

// The one thing a program's main does: run with StartupForm. A form's Entry names the interface of
// its click's table; traceEntries, found beside that interface, wraps the table to trace it.
template <class StartupForm>
int run(int& argc, char** argv) {
    return runProgram(argc, argv, [](form::CallTrace* trace) -> std::unique_ptr<form::Form> {
        if (!trace)
            return std::make_unique<StartupForm>();
        using Entry = typename StartupForm::Entry;
        return std::make_unique<StartupForm>(traceEntries(*trace, static_cast<Entry const*>(nullptr)));
    });
}

} // namespace host
