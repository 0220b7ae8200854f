#pragma once

#include "runtime/Object.h"
#include "runtime/Ref.h"

#include <cstdint>
#include <string>

namespace pelora {

// A student. The members are public and readable by name at run time: Height, Weight, Age, Grade
// and Get_String. Student and Teacher share no type, only these names.
class Student final : public runtime::Object {
public:
    std::int32_t Height = 0;
    std::int32_t Weight = 0;
    std::int32_t Age = 0;
    std::int32_t Grade = 0;

    // A new student with the given values; the object it is called on is neither read nor changed.
    runtime::Ref<Student> Create_Instance(std::int32_t m_Height, std::int32_t m_Weight, std::int32_t m_Age,
                                          std::int32_t m_Grade) const;
    // "身長160cm , 体重56kg , 18才の1年生"
    std::u16string Get_String() const;

protected:
    std::span<runtime::MemberEntry const> members() const override;
};

// A teacher, with the subject taught (Domain) held by value.
class Teacher final : public runtime::Object {
public:
    std::int32_t Height = 0;
    std::int32_t Weight = 0;
    std::int32_t Age = 0;
    std::u16string Domain;

    runtime::Ref<Teacher> Create_Instance(std::int32_t m_Height, std::int32_t m_Weight, std::int32_t m_Age,
                                          std::u16string m_Domain) const;
    // "身長170cm , 体重62kg , 31才で担当科目は国語の先生"
    std::u16string Get_String() const;

protected:
    std::span<runtime::MemberEntry const> members() const override;
};

} // namespace pelora
