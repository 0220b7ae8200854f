#include "ambulon/TransformSteps.h"

#include "ambulon/Binders.h"
#include "form/Numbers.h"
#include "runtime/Collection.h"
#include "runtime/Text.h"

namespace ambulon {

using form::fill;
using form::MarkStyle;
using runtime::decimalText;

namespace {

using Line = TransformLine;

// clang-format off
constexpr form::EnumTable<Line, std::u16string_view, 5> kProcedure{{
    {Line::Count,  u"n = Count（はじめの要素の数）"},
    {Line::Fetch,  u"k = 1 から n までくり返す: x = Item(1) で先頭の要素を読む"},
    {Line::Exec,   u"  r = f.Exec(x): 関数を呼ぶ"},
    {Line::Append, u"  Add r: 結果を末尾に加える"},
    {Line::Remove, u"  Remove 1: 先頭を取り除く"},
}, Line::Count};

constexpr form::EnumTable<TransformMark, form::MarkDefinition, 5> kMarks{{
    {TransformMark::None,    {u"",            MarkStyle::Plain}},
    {TransformMark::Working, {u"処理中",      MarkStyle::Strong}},
    {TransformMark::Result,  {u"結果",        MarkStyle::Settled}},
    {TransformMark::Added,   {u"Add した",    MarkStyle::Strong}},
    {TransformMark::Removed, {u"Remove した", MarkStyle::StruckOut}},
}};

constexpr form::EnumTable<TransformJump, std::u16string_view, 1> kJumps{{
    {TransformJump::Element, u"要素"},
}};

// What a binder fixes, as its first Exec explains.
constexpr form::ExplanationDefinition kBind1stFixes{
    u"Bind1st が固定するのは 2 番目の引数",
    u"Bind1st は 2 引数の関数 bf と値 r を Init で受け取り、Exec(x) で bf.Exec(x, r) を呼びます。固定されるのは "
    u"2 番目（右）の引数 r で、x は 1 番目（左）の引数になります。たとえば Bind1st(MinusCls, 10).Exec(x) は "
    u"MinusCls.Exec(x, 10)、つまり x − 10 です。名前に 1st とありますが、このシステムの Bind1st が固定するのは "
    u"1 番目ではなく 2 番目の引数です。"};
constexpr form::ExplanationDefinition kBind2ndFixes{
    u"Bind2nd が固定するのは 1 番目の引数",
    u"Bind2nd は 2 引数の関数 bf と値 l を Init で受け取り、Exec(x) で bf.Exec(l, x) を呼びます。固定されるのは "
    u"1 番目（左）の引数 l で、x は 2 番目（右）の引数になります。たとえば Bind2nd(MinusCls, 0).Exec(x) は "
    u"MinusCls.Exec(0, x)、つまり 0 − x です。名前に 2nd とありますが、このシステムの Bind2nd が固定するのは "
    u"2 番目ではなく 1 番目の引数です。"};
// clang-format on

std::u16string numberText(runtime::Variant const& element) { return element.toText(); }

std::uint8_t markOf(TransformMark mark) { return static_cast<std::uint8_t>(mark); }

// Marks the element being worked on, at the front.
void markWorking(form::Step& step) { form::markRow(step.rows, 1, markOf(TransformMark::Working)); }

} // namespace

std::span<std::u16string_view const> const kTransformProcedure = kProcedure.entries();

TransformSteps::TransformSteps()
    : m_recorder(*this, numberText, kMarks.entries(), kJumps.entries()), m_variables{u"n", u"k", u"x", u"r"} {
    m_recorder.recording().syncJump = static_cast<std::size_t>(TransformJump::Element);
}

form::Step TransformSteps::step(TransformStep kind, Line line, std::u16string sentence) {
    form::Step step;
    step.kind = static_cast<std::uint8_t>(kind);
    step.line = form::lineNumber(line);
    step.sentence = std::move(sentence);
    step.rows = m_recorder.rows();
    // The results stand at the back, after the elements still waiting.
    std::int32_t const firstResult = m_recorder.count() - m_results + 1;
    for (form::Row& row : step.rows) {
        if (row.position >= firstResult)
            row.mark = markOf(TransformMark::Result);
    }
    step.counters = {{u"要素", m_element, m_elements}, {u"Count", m_recorder.count(), 0}};
    step.variables = m_variables.forStep();
    return step;
}

void TransformSteps::attachTo(runtime::Attachment& attachment) {
    attachment.add<runtime::Observer>(m_recorder);
    attachment.add<TransformObserver>(*this);
}

void TransformSteps::transformBegun(runtime::Collection const& collection,
                                    IUnaryFunc const& function) noexcept {
    m_recorder.keep([&] { beginTransform(collection, function); });
}

void TransformSteps::elementBegun(std::int32_t k, std::int32_t count) noexcept {
    m_recorder.keep([&] { beginElement(k, count); });
}

void TransformSteps::transformEnded() noexcept {
    m_recorder.keep([&] { endTransform(); });
}

void TransformSteps::beginTransform(runtime::Collection const& collection, IUnaryFunc const& function) {
    m_recorder.follow(collection, function);
    if (dynamic_cast<Bind1st const*>(&function))
        m_binder = &kBind1stFixes;
    else if (dynamic_cast<Bind2nd const*>(&function))
        m_binder = &kBind2ndFixes;
    m_elements = m_recorder.count();
    m_line = Line::Count;
    m_variables.set(Variable::N, decimalText(m_elements));
    m_recorder.add(
        step(TransformStep::Start, Line::Count,
             fill(u"%1 個の要素に %2 を先頭から順に適用します。先頭の要素を読み、結果を末尾に Add して、"
                  u"先頭を Remove します。要素は 1 つずつ先頭から末尾へ回り、すべてが結果になると"
                  u"終わります。",
                  {decimalText(m_elements), m_recorder.recording().chosen})));
}

void TransformSteps::beginElement(std::int32_t k, std::int32_t count) {
    (void)count;
    m_element = k;
    m_line = Line::Fetch;
    m_variables.set(Variable::K, decimalText(k));
    m_variables.clear(Variable::X);
    m_variables.clear(Variable::R);
}

void TransformSteps::itemRead(std::int32_t position) {
    ++m_items;
    std::u16string const& x = m_recorder.nameOf(m_recorder.elementAt(position));
    m_x = x;
    m_variables.set(Variable::X, x);
    form::Step read = step(TransformStep::Read, Line::Fetch,
                           fill(u"要素 %1: Item(1) で先頭の %2 を読みました。", {decimalText(m_element), x}));
    markWorking(read);
    read.stops = 1u << static_cast<unsigned>(TransformJump::Element);
    read.calls.push_back({0, fill(u"Item(%1)", {decimalText(position)})});
    m_recorder.add(std::move(read));
    m_line = Line::Exec;
}

void TransformSteps::called(form::RecordedCall call, runtime::Variant const& result) {
    ++m_calls;
    m_result = result;
    m_resultText = m_recorder.valueText(result);
    m_variables.set(Variable::R, m_resultText);
    std::u16string sentence =
        fill(u"%1 の Exec が %2 を返しました。", {m_recorder.recording().chosen, m_resultText});
    // What the call did in turn, the calls it made and what they read (a running count above all), is
    // part of the answer, in the order it happened.
    for (form::CallLine const& line : call.lines) {
        std::size_t const answer = line.text.rfind(u" = ");
        if (line.depth == 0 || answer == std::u16string::npos)
            continue;
        std::u16string_view const text(line.text);
        sentence += fill(line.memberRead ? u"その中で %1 を読み、%2 を得ました。" : u"その中で %1 を呼び、%2 を得ました。",
                         {text.substr(0, answer), text.substr(answer + 3)});
    }
    form::Step exec = step(TransformStep::Exec, Line::Exec, std::move(sentence));
    markWorking(exec);
    exec.question = execQuestion(call, result);
    // The first Exec of a binder says what the binder fixes.
    if (m_binder) {
        exec.explanation = m_recorder.addExplanation(*m_binder);
        m_binder = nullptr;
    }
    exec.calls = std::move(call.lines);
    m_recorder.add(std::move(exec));
    m_line = Line::Append;
}

std::optional<form::Question> TransformSteps::execQuestion(form::RecordedCall const& call,
                                                           runtime::Variant const& result) const {
    std::u16string const& chosen = m_recorder.recording().chosen;
    // A call that reads a member in turn (a running count's Counter) asks for the value read: that is
    // what changes from call to call, and the result follows from it as the step shows.
    if (!call.reads.empty()) {
        form::MemberRead const& read = call.reads.back();
        if (std::optional<std::int32_t> const value = form::parseWholeNumber(read.value).number)
            return form::Question{form::AnswerKind::Number,
                                  fill(u"%1.Exec(%2) の中で %3.%4 を読みます。%3.%4 はいくつを返す？",
                                       {chosen, m_x, read.object, read.member}),
                                  {},
                                  *value};
    }
    if (result.kind() != runtime::Kind::Int16 && result.kind() != runtime::Kind::Int32)
        return std::nullopt;
    return form::Question{
        form::AnswerKind::Number, fill(u"%1.Exec(%2) はいくつを返す？", {chosen, m_x}), {}, result.toInt32()};
}

std::uint16_t TransformSteps::addedElement() {
    std::uint16_t const element = m_recorder.newElement(m_result);
    // The recording keeps the result's text, not the value.
    m_result = runtime::Variant();
    return element;
}

void TransformSteps::added(std::int32_t position) {
    ++m_results;
    form::Step add = step(TransformStep::Add, Line::Append,
                          fill(u"結果 %1 を末尾の位置 %2 に Add しました。Count は %2 です。",
                               {m_resultText, decimalText(position)}));
    markWorking(add);
    form::markRow(add.rows, position, markOf(TransformMark::Added));
    add.calls.push_back({0, u"Add(r)"});
    m_recorder.add(std::move(add));
    m_line = Line::Remove;
}

void TransformSteps::removed(std::int32_t position, std::uint16_t element) {
    ++m_removes;
    form::Step remove =
        step(TransformStep::Remove, Line::Remove,
             fill(u"先頭の %1 を Remove しました。残りが 1 つずつ前に詰まり、Count は %2 です。",
                  {m_recorder.textOf(element), decimalText(m_recorder.count())}));
    form::showRemoved(remove.rows, position, element, markOf(TransformMark::Removed));
    remove.calls.push_back({0, fill(u"Remove(%1)", {decimalText(position)})});
    m_recorder.add(std::move(remove));
}

void TransformSteps::endTransform() {
    m_line = Line::None;
    m_recorder.add(step(TransformStep::End, Line::None,
                        fill(u"%1 個の要素をすべて %2 の結果に置き換えました。",
                             {decimalText(m_element), m_recorder.recording().chosen})));
    countAll();
}

void TransformSteps::countAll() {
    m_recorder.recording().totals = {
        {u"Exec", m_calls, 0}, {u"Item", m_items, 0}, {u"Add", m_results, 0}, {u"Remove", m_removes, 0}};
}

void TransformSteps::failed(form::RecordedCall call, std::u16string error) {
    form::Step failure =
        step(TransformStep::Error, m_line, u"実行時エラーが起きたので、この実行はここで終わります。");
    if (m_line == Line::Exec)
        markWorking(failure);
    failure.calls = std::move(call.lines);
    failure.error = std::move(error);
    m_recorder.add(std::move(failure));
    countAll();
}

} // namespace ambulon
