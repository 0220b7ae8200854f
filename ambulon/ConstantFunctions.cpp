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
    {u"x-k", u"k",
     u"各整数から k を引きます。Bind1st が MinusCls の 2 番目の引数を k に固定します。",
     [](std::int32_t k) -> Ref<IUnaryFunc> { return make<Bind1st>()->Init(make<MinusCls>(), Variant::fromInteger(k)); }},
    {u"k-x", u"k",
     u"k から各整数を引きます。Bind2nd が MinusCls の 1 番目の引数を k に固定します。",
     [](std::int32_t k) -> Ref<IUnaryFunc> { return make<Bind2nd>()->Init(make<MinusCls>(), Variant::fromInteger(k)); }},
    {u"k+1・k+2・k+3…を引く", u"カウンターの初期値 k",
     u"各整数から k+1、k+2、k+3…と順に増える数を引きます。SeqCount は読まれるたびに 1 増やしてから値を返すので、"
     u"初期値 k の次の k+1 から引きはじめます。",
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
