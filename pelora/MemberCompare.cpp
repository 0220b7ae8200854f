#include "pelora/MemberCompare.h"

#include "form/Steps.h"
#include "runtime/Text.h"

namespace pelora {

namespace {

constexpr std::u16string_view kOrderNames[] = {u"小さい順", u"大きい順"};

bool isAsciiLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool isNameCharacter(char16_t c) { return isAsciiLetter(c) || (c >= u'0' && c <= u'9') || c == u'_'; }
bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\u3000'; }
bool isTrailingSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The characters of a text as a reader counts them: a surrogate pair is one.
std::size_t characterCount(std::u16string_view text) {
    std::size_t count = 0;
    for (char16_t const c : text)
        count += isTrailingSurrogate(c) ? 0 : 1;
    return count;
}

// The character that starts at text[at], quoted, or 空白 for a blank, which quotes would hide.
std::u16string quotedCharacter(std::u16string_view text, std::size_t at) {
    if (isBlank(text[at]))
        return u"空白";
    std::size_t const length = at + 1 < text.size() && isTrailingSurrogate(text[at + 1]) ? 2 : 1;
    return u"「" + std::u16string(text.substr(at, length)) + u"」";
}

} // namespace

std::u16string_view orderName(Order order) { return kOrderNames[static_cast<std::size_t>(order)]; }

bool CmpMember::ICompare_Compare(runtime::Variant lhs, runtime::Variant rhs) {
    runtime::Variant const a = runtime::readMember(lhs, m_member);
    runtime::Variant const b = runtime::readMember(rhs, m_member);
    return (m_order == Order::Ascending ? runtime::lessThan(a, b) : runtime::lessThan(b, a)).isTrue();
}

std::u16string memberNameMessage(std::u16string_view typed) {
    if (typed.empty())
        return u"メンバー名を入力してください。";
    if (std::size_t const count = characterCount(typed); count > kLongestMemberName)
        return u"メンバー名は " + runtime::decimalText(kLongestMemberName) +
               u" 文字までにしてください（今は " + runtime::decimalText(static_cast<std::int64_t>(count)) +
               u" 文字です）。";
    for (std::size_t at = 0; at < typed.size(); ++at) {
        if (!isNameCharacter(typed[at]))
            return u"メンバー名に使えるのは半角の英字・数字と「_」だけです。" + quotedCharacter(typed, at) +
                   u"は使えません。";
    }
    if (!isAsciiLetter(typed.front()))
        return u"メンバー名は半角の英字で始めてください。" + quotedCharacter(typed, 0) +
               u"では始められません。";
    return {};
}

// The members that the roster's persons are read by, as their classes declare them (Persons.cpp).
constexpr std::u16string_view kPersonMembers[] = {u"Height", u"Weight", u"Age", u"Grade", u"Domain"};

std::u16string missingMemberSentence(CmpMember const& comparator, std::u16string_view person) {
    std::string const className = comparator.className();
    std::u16string const comparatorName(className.begin(), className.end()); // a C++ name: ASCII
    std::u16string sentence =
        form::fill(u"%1 が知っているのはメンバー名「%2」だけで、比べる相手のクラスは知りません。"
                   u"%3 に %2 があるかどうかは、実行時にその名前で読みに行ってはじめて分かります。"
                   u"%4 には %2 がないので、読み出しが失敗し、並べ替えはここで止まりました。",
                   {comparatorName, comparator.attribute(), person, person.substr(0, person.find(u'#'))});
    // A name that differs from a person's member only in case ("height") is another name.
    std::u16string_view const typed = comparator.attribute();
    for (std::u16string_view const member : kPersonMembers) {
        if (member != typed && runtime::sameIgnoringAsciiCase(member, typed))
            sentence += form::fill(u"メンバー名は大文字と小文字を区別します。%1 とは別の名前です。", {member});
    }
    return sentence;
}

} // namespace pelora
