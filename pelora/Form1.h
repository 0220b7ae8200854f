#pragma once

#include "form/Form.h"
#include "form/Steps.h"
#include "form/Table.h"
#include "sortlib/ICompare.h"
#include "sortlib/SortTrace.h"

namespace pelora {

// The person-sorting window: each button sorts the roster of students and teachers by one attribute
// and lists each person's own description in List1.
class Form1 final : public form::Form {
public:
    // What --trace writes of its clicks.
    using Trace = sortlib::SortTrace;

    explicit Form1(form::EntryWrapper<sortlib::ICompare> wrapComparator = {});

    form::FormLayout const& layout() const override;
    void Command1_Click(std::int16_t Index) override;
    // What the step window shows of a click: the sort of the roster, with the values compared.
    static form::Lesson const& lesson();

    form::ListBox List1{*this, "List1"};

private:
    form::EntryWrapper<sortlib::ICompare> m_wrapComparator;
};

} // namespace pelora
