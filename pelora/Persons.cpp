#include "pelora/Persons.h"

#include "runtime/Members.h"
#include "runtime/Text.h"

namespace pelora {

using runtime::decimalText;
using runtime::make;
using runtime::member;
using runtime::MemberEntry;
using runtime::Ref;

Ref<Student> Student::Create_Instance(std::int32_t m_Height, std::int32_t m_Weight, std::int32_t m_Age,
                                      std::int32_t m_Grade) const {
    auto student = make<Student>();
    student->Height = m_Height;
    student->Weight = m_Weight;
    student->Age = m_Age;
    student->Grade = m_Grade;
    return student;
}

std::u16string Student::Get_String() const {
    return u"身長" + decimalText(Height) + u"cm , 体重" + decimalText(Weight) + u"kg , " + decimalText(Age) +
           u"才の" + decimalText(Grade) + u"年生";
}

std::span<MemberEntry const> Student::members() const {
    static constexpr MemberEntry table[] = {
        member<&Student::Height>(u"Height"),
        member<&Student::Weight>(u"Weight"),
        member<&Student::Age>(u"Age"),
        member<&Student::Grade>(u"Grade"),
        member<&Student::Get_String>(u"Get_String"),
    };
    return table;
}

Ref<Teacher> Teacher::Create_Instance(std::int32_t m_Height, std::int32_t m_Weight, std::int32_t m_Age,
                                      std::u16string m_Domain) const {
    auto teacher = make<Teacher>();
    teacher->Height = m_Height;
    teacher->Weight = m_Weight;
    teacher->Age = m_Age;
    teacher->Domain = std::move(m_Domain);
    return teacher;
}

std::u16string Teacher::Get_String() const {
    return u"身長" + decimalText(Height) + u"cm , 体重" + decimalText(Weight) + u"kg , " + decimalText(Age) +
           u"才で担当科目は" + Domain + u"の先生";
}

std::span<MemberEntry const> Teacher::members() const {
    static constexpr MemberEntry table[] = {
        member<&Teacher::Height>(u"Height"),
        member<&Teacher::Weight>(u"Weight"),
        member<&Teacher::Age>(u"Age"),
        member<&Teacher::Domain>(u"Domain"),
        member<&Teacher::Get_String>(u"Get_String"),
    };
    return table;
}

} // namespace pelora
