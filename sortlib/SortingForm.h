#pragma once

#include "form/Form.h"
#include "sortlib/SortTrace.h"

namespace sortlib {

// The window of a program that sorts: each button of the Command1 array sorts the program's data
// with one comparator, and List1 lists the sorted elements, one line each. --trace writes its clicks
// as a sort trace.
class SortingForm : public form::Form {
public:
    using Trace = SortTrace;

    form::ListBox List1{*this, "List1"};
};

} // namespace sortlib
