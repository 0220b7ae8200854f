#pragma once

#include "host/FormWindow.h"
#include "host/testing/FormHarness.h"
#include "runtime/Error.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <vector>

namespace host::testing {

// Runs a form the way its program does (application, window, event loop) and, from inside the
// event loop, clicks every button forwards, backwards and in a scrambled order, three times over,
// then closes the window. Exits non-zero if any click reported an error. Made for memory checkers,
// which watch the whole process from start to exit.
template <class FormType>
int runClickSession(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    FormType form;
    FormWindow window(form);
    int errors = 0;
    window.setErrorReporter([&](runtime::RuntimeError const& error) {
        std::fprintf(stderr, "%s\n", error.what());
        ++errors;
    });
    window.show();

    int clicks = 0;
    QTimer::singleShot(0, &window, [&] {
        int const buttons = window.commandButtonCount();
        std::vector<int> order;
        for (int i = 0; i < buttons; ++i)
            order.push_back(i);
        for (int i = buttons - 1; i >= 0; --i)
            order.push_back(i);
        for (int i = 0; i < 2 * buttons; ++i)
            order.push_back((i * 7 + 3) % buttons);
        for (int round = 0; round < 3; ++round) {
            for (int index : order) {
                clickWidget(*window.commandButton(index));
                ++clicks;
            }
        }
        window.close();
    });
    int const status = application.exec();
    std::printf("%d clicks, %d errors\n", clicks, errors);
    return status == 0 && errors == 0 && clicks > 0 ? 0 : 1;
}

} // namespace host::testing
