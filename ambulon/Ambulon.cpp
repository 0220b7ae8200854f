#include "ambulon/Ambulon.h"

#include "runtime/Checked.h"

namespace ambulon::Ambulon {

using runtime::Variant;

void Assign_Variant(Variant& dst, Variant const& src) {
    // Copying a variant shares the object it holds and copies any other value, which is exactly
    // the assignment wanted in both cases.
    dst = src;
}

void Transform_Collection(runtime::Collection& col, IUnaryFunc& f) {
    constexpr std::int16_t kFirst = 1;
    runtime::ObservedRun<TransformObserver> const readers;
    if (readers)
        readers.tell(&TransformObserver::transformBegun, col, f);
    std::int32_t const n = col.Count();
    for (std::int32_t pass = 1; pass <= n; pass = runtime::checkedAdd(pass, 1)) {
        if (readers)
            readers.tell(&TransformObserver::elementBegun, pass, n);
        Variant result = f.Exec(col.Item(kFirst));
        col.Add(std::move(result));
        col.Remove(kFirst);
    }
    if (readers)
        readers.tell(&TransformObserver::transformEnded);
}

} // namespace ambulon::Ambulon
