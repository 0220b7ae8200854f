#pragma once

#include "runtime/Error.h"
#include "runtime/formhost/FormWindow.h"

#include <QListWidget>
#include <QPushButton>
#include <QStringList>

#include <string_view>
#include <utility>
#include <vector>

namespace runtime::testing {

// The lines of a list widget, top to bottom.
QStringList linesOf(QListWidget const& list);

// A real mouse click on a widget, through Qt's event system.
void clickWidget(QPushButton& button);

// Saves what the widget draws to a PNG file; false when nothing could be written.
bool saveScreenshot(QWidget& widget, QString const& path);

// A form shown in a real window, with the error reporter replaced by one that records.
template <class FormType>
class FormHarness {
public:
    template <class... Args>
    explicit FormHarness(Args&&... args) : form(std::forward<Args>(args)...), window(form) {
        window.setErrorReporter([this](RuntimeError const& error) { errors.push_back(error); });
        window.show();
    }

    void click(int index) { clickWidget(*window.commandButton(index)); }
    QStringList lines(std::string_view listName) const { return linesOf(*window.listWidget(listName)); }

    FormType form;
    FormWindow window;
    std::vector<RuntimeError> errors;
};

} // namespace runtime::testing
