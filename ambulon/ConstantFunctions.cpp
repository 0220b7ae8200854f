#include "ambulon/ConstantFunctions.h"

#include "ambulon/Binders.h"
#include "form/Numbers.h"

namespace ambulon {

using runtime::make;
using runtime::Ref;
using runtime::Variant;

namespace {

// clang-format off
constexpr ConstantFunction kConstantFunctions[] = {
    {u"x-c", u"c",
     u"各整数から c を引きます。Bind1st が MinusCls の 2 番目の引数を c に固定します。",
     [](std::int32_t k) -> Ref<IUnaryFunc> { return make<Bind1st>()->Init(make<MinusCls>(), Variant::fromInteger(k)); }},
    {u"c-x", u"c",
     u"c から各整数を引きます。Bind2nd が MinusCls の 1 番目の引数を c に固定します。",
     [](std::int32_t k) -> Ref<IUnaryFunc> { return make<Bind2nd>()->Init(make<MinusCls>(), Variant::fromInteger(k)); }},
    {u"c+1・c+2…を引く", u"c",
     u"各整数から c+1、c+2、c+3…と順に増える数を引きます。c はカウンター SeqCount の初期値です。SeqCount は"
     u"読まれるたびに 1 増やしてから値を返すので、c の次の c+1 から引きはじめます。",
     [](std::int32_t k) -> Ref<IUnaryFunc> {
         return make<Bind1st>()->Init(make<MinusCls>(), Variant(make<SeqCount>()->Init(k)));
     }},
};
// clang-format on

} // namespace

std::span<ConstantFunction const> constantFunctions() { return kConstantFunctions; }

BuiltFunction makeConstantFunction(ConstantChoice choice, std::u16string_view typed) {
    form::ParsedNumber parsed = form::parseWholeNumber(typed);
    if (!parsed.number)
        return {{}, std::move(parsed.message)};
    return {kConstantFunctions[static_cast<std::size_t>(choice)].make(*parsed.number), {}};
}

} // namespace ambulon
