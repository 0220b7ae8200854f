#pragma once

#include "form/Form.h"

#include <string>
#include <vector>

namespace form::testing {

// A list box view that keeps the lines it is given, for tests that click a form without a window.
class RecordedLines final : public ListBoxView {
public:
    RecordedLines(Form& form, std::string_view listBox) : m_listBox(*form.listBox(listBox)) {
        m_listBox.bind(this);
    }
    ~RecordedLines() override { m_listBox.unbind(this); }
    RecordedLines(RecordedLines const&) = delete;
    RecordedLines& operator=(RecordedLines const&) = delete;

    void clear() override { lines.clear(); }
    void append(std::u16string_view line) override { lines.emplace_back(line); }

    std::vector<std::u16string> lines;

private:
    ListBox& m_listBox;
};

} // namespace form::testing
