#pragma once

#include "ambulon/Functions.h"
#include "runtime/Ref.h"

namespace ambulon {

// Makes a unary function of a binary one by binding its second argument: Exec(v) is bf(v, r).
// Over MinusCls bound to 10 it computes v - 10. A bound object is shared, not copied.
class Bind1st final : public IUnaryFunc {
public:
    // Stores bf and r, replacing what was stored, and returns this very binder.
    runtime::Ref<Bind1st> Init(runtime::Ref<IBinaryFunc> const& bf, runtime::Variant const& r);

protected:
    // Before Init there is no function to call: that raises the object-required error.
    runtime::Variant IUnaryFunc_Exec(runtime::Variant v) override;

private:
    runtime::Ref<IBinaryFunc> m_bf;
    runtime::Variant m_r;
};

// Binds the first argument instead: Exec(v) is bf(l, v). Over MinusCls bound to 0 it computes 0 - v.
class Bind2nd final : public IUnaryFunc {
public:
    runtime::Ref<Bind2nd> Init(runtime::Ref<IBinaryFunc> const& bf, runtime::Variant const& l);

protected:
    runtime::Variant IUnaryFunc_Exec(runtime::Variant v) override;

private:
    runtime::Ref<IBinaryFunc> m_bf;
    runtime::Variant m_l;
};

} // namespace ambulon
