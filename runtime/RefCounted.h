#pragma once

#include <cstdint>

namespace runtime {

// Base of everything held by a counted reference (Ref<T>). The count starts at 1: a new object is
// adopted by its first reference (see make<T>() in Ref.h), and the last release deletes it.
class RefCounted {
public:
    RefCounted(RefCounted const&) = delete;
    RefCounted& operator=(RefCounted const&) = delete;

    void ref() const noexcept { ++m_refCount; }
    void unref() const noexcept {
        if (--m_refCount == 0) {
            // A reference that the destructor itself takes and drops must not delete it again.
            m_refCount = 1;
            delete this;
        }
    }
    std::uint32_t refCount() const noexcept { return m_refCount; }

protected:
    RefCounted() noexcept = default;
    virtual ~RefCounted() = default;

private:
    mutable std::uint32_t m_refCount{1};
};

} // namespace runtime
