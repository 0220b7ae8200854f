#pragma once

#include "ambulon/TransformTrace.h"
#include "form/Form.h"
#include "form/Steps.h"

namespace ambulon {

// The function-object window: List1 shows nine numbers, each button applies one function to every
// one of them in place, and List2 shows the results.
class Form1 final : public form::Form {
public:
    // What --trace writes of its clicks.
    using Trace = TransformTrace;

    form::FormLayout const& layout() const override;
    void Command1_Click(std::int16_t Index) override;
    // What the step window shows of a click: the transform by a button's function or by one with a
    // learner's constant, on the nine numbers, a learner's own or a data set's.
    static form::Lesson const& lesson();

    form::ListBox List1{*this, "List1"};
    form::ListBox List2{*this, "List2"};
};

} // namespace ambulon
