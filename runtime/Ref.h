#pragma once

#include "runtime/Error.h"
#include "runtime/Object.h"

#include <concepts>
#include <cstddef>
#include <utility>

namespace runtime {

// A counted reference to an Object, or to nothing. Dereferencing an empty reference raises the
// object-required error rather than crashing.
template <class T>
class Ref {
public:
    Ref() noexcept = default;
    Ref(std::nullptr_t) noexcept {}
    // Shares an object that already has a holder.
    explicit Ref(T& object) noexcept : m_ptr(&object) { m_ptr->ref(); }

    // Takes over the first reference of a new object.
    static Ref adopt(T* object) noexcept {
        Ref ref;
        ref.m_ptr = object;
        return ref;
    }

    Ref(Ref const& other) noexcept : m_ptr(other.m_ptr) { retain(); }
    Ref(Ref&& other) noexcept : m_ptr(std::exchange(other.m_ptr, nullptr)) {}
    template <class U>
    requires std::convertible_to<U*, T*> Ref(Ref<U> const& other)
    noexcept : m_ptr(other.get()) { retain(); }
    template <class U>
    requires std::convertible_to<U*, T*> Ref(Ref<U>&& other)
    noexcept : m_ptr(other.leak()) {}

    ~Ref() {
        if (m_ptr)
            m_ptr->unref();
    }

    Ref& operator=(Ref other) noexcept {
        std::swap(m_ptr, other.m_ptr);
        return *this;
    }

    T* get() const noexcept { return m_ptr; }
    T& operator*() const { return checked(); }
    T* operator->() const { return &checked(); }
    explicit operator bool() const noexcept { return m_ptr != nullptr; }

    // Gives up the reference without releasing it; the caller takes it over.
    [[nodiscard]] T* leak() noexcept { return std::exchange(m_ptr, nullptr); }

    friend bool operator==(Ref const& left, Ref const& right) noexcept { return left.m_ptr == right.m_ptr; }

private:
    void retain() const noexcept {
        if (m_ptr)
            m_ptr->ref();
    }
    T& checked() const {
        if (!m_ptr)
            raise(ErrorKind::ObjectRequired, en("object variable not set"),
                  ja("オブジェクト変数が設定されていません"));
        return *m_ptr;
    }

    T* m_ptr = nullptr;
};

// The one way to create a counted object.
template <class T, class... Args>
Ref<T> make(Args&&... args) {
    return Ref<T>::adopt(new T(std::forward<Args>(args)...));
}

// A self-creating reference: the first use that finds it empty creates a new T.
template <class T>
class SelfCreatingRef {
public:
    T& operator*() { return *ensure(); }
    T* operator->() { return ensure().get(); }

private:
    Ref<T> const& ensure() {
        if (!m_ref)
            m_ref = make<T>();
        return m_ref;
    }

    Ref<T> m_ref;
};

// The same object seen as T, or an empty reference when it is not a T.
template <class T, class U>
Ref<T> refCast(Ref<U> const& ref) noexcept {
    if (auto* object = dynamic_cast<T*>(ref.get()))
        return Ref<T>(*object);
    return {};
}

} // namespace runtime
