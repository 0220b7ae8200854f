#pragma once

#include "runtime/Members.h"

#include <functional>
#include <utility>

namespace runtime::testing {

// An object with a readable data member, a method and a default member that counts its reads.
class Probe final : public Object {
public:
    std::int32_t Value = 0;
    std::int32_t reads = 0;

    std::int32_t Next() { return ++reads; }
    std::u16string Label() { return u"probe"; }

protected:
    std::span<MemberEntry const> members() const override {
        static constexpr MemberEntry table[] = {
            member<&Probe::Value>(u"Value"),
            defaultMember<&Probe::Next>(u"Next"),
            member<&Probe::Label>(u"Label"),
        };
        return table;
    }
};

// An object without any member that can be read by name.
class Plain final : public Object {};

// An object whose destructor runs an action, typically one that reads or changes whatever held it.
class OnRelease final : public Object {
public:
    explicit OnRelease(std::function<void()> action) : m_action(std::move(action)) {}
    ~OnRelease() override { m_action(); }

private:
    std::function<void()> m_action;
};

} // namespace runtime::testing
