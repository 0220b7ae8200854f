#pragma once

#include "ambulon/Functions.h"
#include "runtime/Ref.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace ambulon {

// The functions that a learner completes with a whole number c of their own, built through the same
// binders as the program's buttons.
enum class ConstantChoice {
    MinusConstant, // x - c: Bind1st over MinusCls with c, which binds MinusCls's second argument
    ConstantMinus, // c - x: Bind2nd over MinusCls with c, which binds its first argument
    MinusCount,    // x - count: Bind1st over MinusCls with a SeqCount whose count starts at c, so
                   // that the first element loses c + 1, the next c + 2, and so on
};

// How a window offers one of them (its caption, what c is called beside the field, one sentence on
// what it computes and how it is built), and how it is made.
struct ConstantFunction {
    std::u16string_view caption;
    std::u16string_view constantName;
    std::u16string_view description;
    runtime::Ref<IUnaryFunc> (*make)(std::int32_t k);
};

// One entry for each choice, in the order of ConstantChoice.
std::span<ConstantFunction const> constantFunctions();

// The chosen function with c typed as text, or, when the text is no whole number within 32 bits,
// no function and a Japanese message saying why; then nothing should run.
struct BuiltFunction {
    runtime::Ref<IUnaryFunc> function;
    std::u16string message;
};
BuiltFunction makeConstantFunction(ConstantChoice choice, std::u16string_view typed);

} // namespace ambulon
