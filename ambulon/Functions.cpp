#include "ambulon/Functions.h"

#include "runtime/Checked.h"
#include "runtime/Members.h"

namespace ambulon {

using runtime::Variant;

Variant Sqr::IUnaryFunc_Exec(Variant v) { return v * v; }

Variant MinusCls::IBinaryFunc_Exec(Variant lhs, Variant rhs) { return lhs - rhs; }

std::int32_t SeqCount::Counter() {
    m_count = runtime::checkedAdd(m_count, 1);
    return m_count;
}

runtime::Ref<SeqCount> SeqCount::Init(std::int32_t count) {
    m_count = count;
    return runtime::Ref<SeqCount>(*this);
}

std::span<runtime::MemberEntry const> SeqCount::members() const {
    static constexpr runtime::MemberEntry table[] = {runtime::defaultMember<&SeqCount::Counter>(u"Counter")};
    return table;
}

} // namespace ambulon
