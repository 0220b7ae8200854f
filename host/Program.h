#pragma once

#include "form/CallTrace.h"
#include "form/Form.h"
#include "form/Steps.h"

#include <functional>
#include <iosfwd>
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

// Makes the startup form, and for --trace the trace of its clicks; the lesson is what its step
// window shows (null: none).
struct ProgramParts {
    std::function<std::unique_ptr<form::Form>()> makeForm;
    std::function<std::unique_ptr<form::CallTrace>(std::ostream& out)> makeTrace;
    form::Lesson const* lesson = nullptr;
};

// Starts the program: reads the command line (--help, --version, --trace, --steps and the standard
// Qt options), creates the application and the form's window, shows it and runs the event loop until
// the window is closed. Without a graphical desktop it says so and returns 1; when Qt's platform
// cannot start, it names the cause (a missing plugin, the display) and ends with exit status 1. An
// option or argument it does not take gives the usage and 2.
int runProgram(int& argc, char** argv, ProgramParts const& parts);

// The one thing a program's main does: run with StartupForm, whose Trace is what --trace writes and
// whose lesson() is what the step window shows.
template <class StartupForm>
int run(int& argc, char** argv) {
    return runProgram(argc, argv,
                      {[] { return std::unique_ptr<form::Form>(std::make_unique<StartupForm>()); },
                       [](std::ostream& out) {
                           return std::unique_ptr<form::CallTrace>(
                               std::make_unique<typename StartupForm::Trace>(out));
                       },
                       &StartupForm::lesson()});
}

} // namespace host
