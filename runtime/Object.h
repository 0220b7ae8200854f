#pragma once

#include "runtime/RefCounted.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace runtime {

class Object;
class Variant;

// One member that can be read by name at run time: a public data member or a method without
// arguments. A class lists its members once, in its override of Object::members().
struct MemberEntry {
    std::u16string_view name;
    Variant (*read)(Object& self);
    bool isDefault = false;
};

// Base of every object that the programs' values hold: counted, and readable by member name.
// The last release deletes it from code that must not throw (a value let go of, a collection's
// removal or destruction): a destructor that lets an error escape ends the program.
class Object : public RefCounted {
public:
    ~Object() override;

    // Objects alive in this process; tests use it to show that what they created was released.
    static std::size_t liveCount() noexcept { return s_liveCount; }

    // Late-bound access: a new value with the named member's value or the method's result.
    // An unknown name raises the failed-call error.
    Variant readMember(std::u16string_view name);
    // The value that an arithmetic operand takes from this object: one read of its default member.
    // A class without one raises the failed-call error.
    Variant readDefaultMember();
    bool hasDefaultMember() const;

    std::string className() const;

protected:
    // Counted as live, and told to the observer in place (see Observer.h).
    Object() noexcept;

    virtual std::span<MemberEntry const> members() const { return {}; }

private:
    static inline std::size_t s_liveCount = 0;
};

} // namespace runtime
