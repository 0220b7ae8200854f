#pragma once

#include "runtime/Object.h"
#include "runtime/Observer.h"
#include "runtime/Ref.h"
#include "runtime/Variant.h"

#include <cstdint>

namespace ambulon {

// A function of one value. Callers use Exec; a class implements it by overriding IUnaryFunc_Exec.
// The interface's own answer is Empty. Each call is told to the observer in place.
class IUnaryFunc : public runtime::Object {
public:
    runtime::Variant Exec(runtime::Variant v) {
        if (runtime::Observer::attached()) [[unlikely]]
            return observedExec(v);
        return IUnaryFunc_Exec(std::move(v));
    }

protected:
    virtual runtime::Variant IUnaryFunc_Exec(runtime::Variant v) {
        (void)v;
        return {};
    }

private:
    // Exec as the observer is told of it, out of line, so that the path without one stays small.
    [[gnu::noinline]] runtime::Variant observedExec(runtime::Variant& v) {
        runtime::ObservedCall call(*this, "Exec", {v});
        return call.returned(IUnaryFunc_Exec(std::move(v)));
    }
};

// A function of two values, implemented by overriding IBinaryFunc_Exec. Each call is told to the
// observer in place.
class IBinaryFunc : public runtime::Object {
public:
    runtime::Variant Exec(runtime::Variant lhs, runtime::Variant rhs) {
        if (runtime::Observer::attached()) [[unlikely]]
            return observedExec(lhs, rhs);
        return IBinaryFunc_Exec(std::move(lhs), std::move(rhs));
    }

protected:
    virtual runtime::Variant IBinaryFunc_Exec(runtime::Variant lhs, runtime::Variant rhs) {
        (void)lhs;
        (void)rhs;
        return {};
    }

private:
    // Exec as the observer is told of it, out of line, so that the path without one stays small.
    [[gnu::noinline]] runtime::Variant observedExec(runtime::Variant& lhs, runtime::Variant& rhs) {
        runtime::ObservedCall call(*this, "Exec", {lhs, rhs});
        return call.returned(IBinaryFunc_Exec(std::move(lhs), std::move(rhs)));
    }
};

// v * v, by variant multiplication.
class Sqr final : public IUnaryFunc {
protected:
    runtime::Variant IUnaryFunc_Exec(runtime::Variant v) override;
};

// lhs - rhs, by variant subtraction.
class MinusCls final : public IBinaryFunc {
protected:
    runtime::Variant IBinaryFunc_Exec(runtime::Variant lhs, runtime::Variant rhs) override;
};

// A counter that advances on every read. Counter is its default member, so a SeqCount used as an
// arithmetic operand contributes one read.
class SeqCount : public runtime::Object {
public:
    // Advances the count and returns the new value: 1 on the first read. At the largest 32-bit
    // value it raises the overflow error and the count stays.
    std::int32_t Counter();
    // Sets the count, so that the next read returns count + 1, and returns this very counter.
    runtime::Ref<SeqCount> Init(std::int32_t count);

protected:
    std::span<runtime::MemberEntry const> members() const override;

    std::int32_t m_count = 0;
};

} // namespace ambulon
