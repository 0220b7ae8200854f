#pragma once

#include "runtime/Variant.h"

#include <cstddef>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace runtime {
class Collection;
class Object;
} // namespace runtime

namespace form {

// The names that the trace and the steps give the objects of a run, so that both name each object
// alike: its class and a number (SeqCount#1), the number counting the objects of that class made in
// the run, in order of creation, from 1. Told of a collection of objects (numberElements), it
// numbers that collection's elements by their position instead (Student#8) and every object not
// numbered by then from 0 (Student#0), so that the objects that made the elements stand apart. An object
// made before the run has its class alone for a name.
class ObjectNames {
public:
    // Forgets every object: a new run begins.
    void clear() noexcept;
    // An object was made: it gets its number once its construction is over and its class is known.
    void made(runtime::Object const& object) noexcept;
    void gone(runtime::Object const& object) noexcept;
    void numberElements(runtime::Collection const& collection);
    std::u16string nameOf(runtime::Object const& object);
    // The object's class ("MinusCls"), found once per object.
    std::u16string const& classOf(runtime::Object const& object);

private:
    void numberNewObjects();

    std::vector<runtime::Object const*> m_new; // made in the run, not numbered yet
    std::unordered_map<runtime::Object const*, std::size_t> m_numbers;
    std::unordered_map<std::string, std::size_t> m_madeOfClass;
    std::unordered_map<runtime::Object const*, std::u16string> m_classes;
    std::size_t m_firstNumber = 1;
};

// A value as the trace and the steps write it: a number or truth value as its text, a text within
// quotation marks, an object by the name that nameOf gives it, an empty reference as Nothing, and
// Empty or Missing by that name.
std::u16string valueText(runtime::Variant const& value,
                         std::function<std::u16string(runtime::Object const&)> const& nameOf);

// The class of an object as the programs name it ("CmpHeight").
std::u16string classOf(runtime::Object const& object);

} // namespace form
