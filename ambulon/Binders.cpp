#include "ambulon/Binders.h"

#include "ambulon/Ambulon.h"

namespace ambulon {

using runtime::Ref;
using runtime::Variant;

Ref<Bind1st> Bind1st::Init(Ref<IBinaryFunc> const& bf, Variant const& r) {
    m_bf = bf;
    Ambulon::Assign_Variant(m_r, r);
    return Ref<Bind1st>(*this);
}

Variant Bind1st::IUnaryFunc_Exec(Variant v) {
    Variant result;
    Ambulon::Assign_Variant(result, m_bf->Exec(std::move(v), m_r));
    return result;
}

Ref<Bind2nd> Bind2nd::Init(Ref<IBinaryFunc> const& bf, Variant const& l) {
    m_bf = bf;
    Ambulon::Assign_Variant(m_l, l);
    return Ref<Bind2nd>(*this);
}

Variant Bind2nd::IUnaryFunc_Exec(Variant v) {
    Variant result;
    Ambulon::Assign_Variant(result, m_bf->Exec(m_l, std::move(v)));
    return result;
}

} // namespace ambulon
