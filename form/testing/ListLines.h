#pragma once

#include "form/Form.h"

#include <string>
#include <string_view>
#include <vector>

namespace form::testing {

// A list box's view that keeps its lines, so that a test clicks a form without a window.
class ListLines final : public ListBoxView {
public:
    ListLines(Form& form, std::string_view listBox) : m_listBox(*form.listBox(listBox)) {
        m_listBox.bind(this);
    }
    ListLines(ListLines const&) = delete;
    ListLines& operator=(ListLines const&) = delete;
    ~ListLines() override { m_listBox.unbind(this); }

    void clear() override { lines.clear(); }
    void append(std::u16string_view line) override { lines.emplace_back(line); }

    std::vector<std::u16string> lines;

private:
    ListBox& m_listBox;
};

} // namespace form::testing
