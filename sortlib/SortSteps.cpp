#include "sortlib/SortSteps.h"

#include "runtime/Collection.h"
#include "runtime/Text.h"

#include <algorithm>

namespace sortlib {

using form::fill;
using form::Fold;
using form::MarkStyle;
using runtime::decimalText;

namespace {

using Line = SortLine;

// clang-format off
constexpr form::EnumTable<Line, std::u16string_view, 6> kProcedure{{
    {Line::Pass,      u"i = 1 から Count − 1 まで、パスをくり返す"},
    {Line::Compare,   u"  j = Count から i + 1 まで 1 ずつ下げながら、Compare(Item(j), Item(i)) を呼ぶ"},
    {Line::Exchange,  u"    True なら位置 i と位置 j を交換する"},
    {Line::FirstAdd,  u"      v = Item(j) を位置 i の前に Add"},
    {Line::SecondAdd, u"      離れていれば w = Item(i + 1) を位置 j + 1 の前に Add"},
    {Line::Remove,    u"      重複した要素を Remove"},
}, Line::Pass};

constexpr form::EnumTable<SortMark, form::MarkDefinition, 8> kMarks{{
    {SortMark::None,      {u"",             MarkStyle::Plain}},
    {SortMark::Lhs,       {u"lhs（j）",     MarkStyle::Strong}},
    {SortMark::Rhs,       {u"rhs（i）",     MarkStyle::Underlined}},
    {SortMark::Read,      {u"Item で読んだ", MarkStyle::Strong}},
    {SortMark::Added,     {u"Add した",     MarkStyle::Strong}},
    {SortMark::Echo,      {u"同じ要素",     MarkStyle::Echo}},
    {SortMark::Removed,   {u"Remove した",  MarkStyle::StruckOut}},
    {SortMark::Exchanged, {u"交換した",     MarkStyle::Strong}},
}};

constexpr form::EnumTable<SortJump, std::u16string_view, 3> kJumps{{
    {SortJump::Exchange, u"交換"},
    {SortJump::Pass,     u"パス"},
    {SortJump::Compare,  u"比較"},
}};

constexpr form::EnumTable<SortExplanation, form::ExplanationDefinition, 3> kExplanations{{
    {SortExplanation::Exchange, {
        u"交換が Item・Add・Remove でできている理由",
        u"このコレクションにある操作は Item（読む）・Add（加える）・Remove（取り除く）の 3 つだけで、"
        u"2 つの要素を入れ替える操作はありません。そこで交換は、位置 j の要素を Item で読んで位置 i の前に "
        u"Add し、同じ要素が 2 か所に立ったところで、もとの場所を Remove します。隣どうしならこれで終わり"
        u"（3 手順）、離れていれば位置 i にあった要素も同じように読んで位置 j へ運ぶので、6 手順になります。"}},
    {SortExplanation::ByName, {
        u"比較オブジェクトが知っているのはメンバーの名前だけ",
        u"%1 が知っているのはメンバー名「%2」だけです。lhs と rhs がどのクラスのオブジェクトかは知らず、"
        u"Compare のたびに両方にその名前で %2 を問い合わせ（lhs.%2、rhs.%2）、返った値どうしを比べます。"
        u"名前で読むので、その名前のメンバーを持っていれば、クラスが違うオブジェクトどうしでも比べられます。"}},
    {SortExplanation::EqualKept, {
        u"等しい値が逆の順に残る理由",
        u"lhs と rhs の値は等しいので、Compare は False を答え、交換しません。いま位置 i にある rhs は、"
        u"もとの並びでは lhs より後ろにあった要素で、それより前の交換で先に前へ運ばれてきました。"
        u"等しい値どうしは入れ替えないので、この 2 つはもとの並びと逆の順のまま残ります。この並べ替えは、"
        u"等しい値の順を保つ（安定な）並べ替えではありません。"}},
}};
// clang-format on

constexpr std::uint32_t stopOf(SortJump jump) { return 1u << static_cast<unsigned>(jump); }

std::u16string positionText(std::int32_t position) { return decimalText(position); }

void mark(form::Step& step, std::int32_t position, SortMark mark) {
    form::markRow(step.rows, position, static_cast<std::uint8_t>(mark));
}

// Inside an exchange an element may stand twice; each of its places that the step does not mark
// otherwise is marked as the same element, for as long as the duplicate stands.
void markDuplicates(form::Step& step) {
    for (form::Row& row : step.rows) {
        bool const twice = row.position > 0 && std::count_if(step.rows.begin(), step.rows.end(), [&](form::Row const& other) {
                                                    return other.position > 0 && other.element == row.element;
                                                }) > 1;
        if (twice && row.mark == static_cast<std::uint8_t>(SortMark::None))
            row.mark = static_cast<std::uint8_t>(SortMark::Echo);
    }
}

// Asked before a comparison is shown: what Compare answers, True (choice 0) or False (choice 1).
form::Question compareQuestion(std::int32_t lhs, std::int32_t rhs, bool answer) {
    return {form::AnswerKind::Choice,
            fill(u"Compare(Item(%1), Item(%2)) の答えは True と False のどちら？",
                 {positionText(lhs), positionText(rhs)}),
            {{u"True", u'T'}, {u"False", u'F'}},
            answer ? 0 : 1};
}

} // namespace

std::span<std::u16string_view const> const kSortProcedure = kProcedure.entries();

SortSteps::SortSteps(form::StepRecorder::ElementText elementText, AnswerWording wording)
    : m_recorder(*this, std::move(elementText), kMarks.entries(), kJumps.entries()),
      m_wording(wording), m_variables{u"i", u"j", u"v", u"w"} {
    m_recorder.recording().syncJump = static_cast<std::size_t>(SortJump::Compare);
}

form::Step SortSteps::step(SortStep kind, Line line, std::u16string sentence) {
    form::Step step;
    step.kind = static_cast<std::uint8_t>(kind);
    step.line = form::lineNumber(line);
    step.sentence = std::move(sentence);
    step.rows = m_recorder.rows();
    step.counters = {{u"パス", m_pass, m_passes},
                     {u"比較", m_comparison, m_comparisons},
                     {u"交換", m_exchanges, 0},
                     {u"Count", m_recorder.count(), 0}};
    step.variables = m_variables.forStep();
    return step;
}

void SortSteps::addOperation(form::Step step, std::u16string call) {
    step.fold = Fold::UnfoldedOnly;
    m_operations.push_back({0, call});
    step.calls.push_back({0, std::move(call)});
    m_recorder.add(std::move(step));
}

std::u16string SortSteps::comparedValue(form::RecordedCall const& call, std::int32_t position) const {
    std::uint16_t const element = m_recorder.elementAt(position);
    for (form::MemberRead const& read : call.reads) {
        if (read.element == element)
            return read.value;
    }
    return m_recorder.textOf(element);
}

void SortSteps::attachTo(runtime::Attachment& attachment) {
    attachment.add<runtime::Observer>(m_recorder);
    attachment.add<SortObserver>(*this);
}

void SortSteps::sortBegun(runtime::Collection const& collection, ICompare const& comparator) noexcept {
    m_recorder.keep([&] { beginSort(collection, comparator); });
}

void SortSteps::passBegun(std::int32_t i, std::int32_t last) noexcept {
    m_recorder.keep([&] { beginPass(i, last); });
}

void SortSteps::comparing(std::int32_t lhs, std::int32_t rhs) noexcept {
    m_recorder.keep([&] { beginComparison(lhs, rhs); });
}

void SortSteps::exchangeBegun(std::int32_t i, std::int32_t j) noexcept {
    m_recorder.keep([&] { beginExchange(i, j); });
}

void SortSteps::exchangeEnded(std::int32_t i, std::int32_t j) noexcept {
    m_recorder.keep([&] { endExchange(i, j); });
}

void SortSteps::sortEnded() noexcept {
    m_recorder.keep([&] { endSort(); });
}

void SortSteps::beginSort(runtime::Collection const& collection, ICompare const& comparator) {
    m_recorder.follow(collection, comparator);
    std::int64_t const count = m_recorder.count();
    m_passes = static_cast<std::int32_t>(std::max<std::int64_t>(count - 1, 0));
    m_comparisons = static_cast<std::int32_t>(std::min<std::int64_t>(count * m_passes / 2, INT32_MAX));
    m_recorder.add(step(
        SortStep::Start, Line::None,
        fill(u"%1 個の要素を %2 で並べ替えます。パスごとに、位置 i に来る要素を後ろから順に比べて探します。",
             {decimalText(count), m_recorder.recording().chosen})));
}

void SortSteps::beginPass(std::int32_t i, std::int32_t last) {
    (void)last;
    m_pass = i;
    m_line = Line::Pass;
    m_variables.set(Variable::I, decimalText(i));
    m_variables.clear(Variable::J);
    std::int32_t const count = m_recorder.count();
    form::Step pass = step(
        SortStep::Pass, Line::Pass,
        count == i + 1 ? fill(u"パス %1: 位置 %1 に来る要素を決めます。比べるのは j = %2 の 1 回だけです。",
                              {decimalText(i), decimalText(count)})
                       : fill(u"パス %1: 位置 %1 に来る要素を決めます。j は %2 から %3 まで下がります。",
                              {decimalText(i), decimalText(count), decimalText(i + 1)}));
    pass.stops = stopOf(SortJump::Pass);
    m_recorder.add(std::move(pass));
}

void SortSteps::beginComparison(std::int32_t lhs, std::int32_t rhs) {
    m_lhs = lhs;
    m_rhs = rhs;
    ++m_comparison;
    m_line = Line::Compare;
    m_variables.set(Variable::J, decimalText(lhs));
    m_recorder.nameAt(lhs, u"lhs");
    m_recorder.nameAt(rhs, u"rhs");
}

void SortSteps::called(form::RecordedCall call, runtime::Variant const& result) {
    if (m_line != Line::Compare)
        return;
    bool const answer = result.isTrue();
    std::u16string const lhsValue = comparedValue(call, m_lhs);
    std::u16string const rhsValue = comparedValue(call, m_rhs);
    std::u16string_view const wording = answer                 ? m_wording.whenTrue
                                        : lhsValue == rhsValue ? m_wording.whenEqual
                                                               : m_wording.whenFalse;
    std::u16string sentence =
        fill(u"lhs（位置 %1）と rhs（位置 %2）を比べました。", {positionText(m_lhs), positionText(m_rhs)});
    sentence += fill(wording, {lhsValue, rhsValue});
    sentence +=
        answer ? fill(u" です。位置 %1 と位置 %2 を交換します。", {positionText(m_rhs), positionText(m_lhs)})
               : std::u16string(u" です。交換しません。");
    form::Step compare = step(SortStep::Compare, Line::Compare, std::move(sentence));
    mark(compare, m_lhs, SortMark::Lhs);
    mark(compare, m_rhs, SortMark::Rhs);
    compare.calls = std::move(call.lines);
    compare.question = compareQuestion(m_lhs, m_rhs, answer);
    compare.stops = stopOf(SortJump::Compare);
    explainComparison(compare, call, answer, lhsValue == rhsValue);
    m_recorder.add(std::move(compare));
}

void SortSteps::explainFirst(form::Step& step, SortExplanation explanation,
                             std::initializer_list<std::u16string_view> texts) {
    int& given = m_explained[static_cast<std::size_t>(explanation)];
    if (given >= 0)
        return;
    given = m_recorder.addExplanation(kExplanations[explanation], texts);
    step.explanation = given;
}

void SortSteps::explainComparison(form::Step& compare, form::RecordedCall const& call, bool answer,
                                  bool equal) {
    // Elements are numbered in their first order: the one with the higher number stood further back.
    if (!answer && equal && m_recorder.elementAt(m_rhs) > m_recorder.elementAt(m_lhs))
        explainFirst(compare, SortExplanation::EqualKept);
    auto const read = std::find_if(call.reads.begin(), call.reads.end(),
                                   [](form::MemberRead const& read) { return read.element >= 0; });
    if (read != call.reads.end())
        explainFirst(compare, SortExplanation::ByName, {m_recorder.recording().chosen, read->member});
}

void SortSteps::beginExchange(std::int32_t i, std::int32_t j) {
    m_exchanging = true;
    m_i = i;
    m_j = j;
    m_reads = 0;
    m_adds = 0;
    m_removesLeft = j == i + 1 ? 1 : 2;
    m_operations.clear();
    m_line = Line::FirstAdd;
}

void SortSteps::itemRead(std::int32_t position) {
    ++m_items;
    if (!m_exchanging)
        return;
    ++m_reads;
    bool const first = m_reads == 1;
    m_line = first ? Line::FirstAdd : Line::SecondAdd;
    m_variables.set(first ? Variable::V : Variable::W, m_recorder.nameOf(m_recorder.elementAt(position)));
    form::Step read =
        step(SortStep::Read, m_line,
             first ? fill(u"v = Item(%1): 位置 %1 の要素を読みました。", {positionText(position)})
                   : fill(u"w = Item(%1): もとは位置 %2 にあった要素を読みました。",
                          {positionText(position), positionText(m_i)}));
    mark(read, position, SortMark::Read);
    markDuplicates(read);
    // An exchange starts with its first Item.
    if (first) {
        read.stops = stopOf(SortJump::Exchange);
        explainFirst(read, SortExplanation::Exchange);
    }
    addOperation(std::move(read), fill(u"Item(%1)", {positionText(position)}));
}

std::uint16_t SortSteps::addedElement() { return m_recorder.lastRead(); }

void SortSteps::added(std::int32_t position) {
    ++m_adds;
    ++m_addCalls;
    bool const first = m_adds == 1;
    // The element now stands twice: where it was added and where it still is.
    std::int32_t twin = 0;
    for (std::int32_t other = 1; other <= m_recorder.count(); ++other) {
        if (other != position && m_recorder.elementAt(other) == m_recorder.elementAt(position))
            twin = other;
    }
    std::u16string_view const name = first ? u"v" : u"w";
    form::Step add =
        step(SortStep::Add, first ? Line::FirstAdd : Line::SecondAdd,
             fill(u"%1 を位置 %2 の前に Add しました。同じ要素が位置 %3 と位置 %4 の 2 か所にあり、"
                  u"Count は %5 です。",
                  {name, positionText(position), positionText(std::min(position, twin)),
                   positionText(std::max(position, twin)), decimalText(m_recorder.count())}));
    mark(add, position, SortMark::Added);
    markDuplicates(add);
    // Before the first Add: where the element will stand besides where it is added, once the Add has
    // moved every element from that position on one further.
    if (first)
        add.question = form::Question{
            form::AnswerKind::Position,
            fill(u"v = Item(%1) を位置 %2 の前に Add すると、同じ要素が 2 か所に立ちます。位置 %2 のほかに、"
                 u"もう 1 つはどの位置に立つ？",
                 {positionText(m_j), positionText(position)}),
            {},
            twin};
    m_line = first && m_j > m_i + 1 ? Line::SecondAdd : Line::Remove;
    addOperation(std::move(add), fill(u"Add(%1, , %2)", {name, positionText(position)}));
}

void SortSteps::removed(std::int32_t position, std::uint16_t element) {
    ++m_removes;
    // The exchange is done with its last Remove, which counts it.
    if (--m_removesLeft == 0)
        ++m_exchanges;
    // The last position has nothing behind it to move up.
    bool const last = position > m_recorder.count();
    form::Step remove = step(
        SortStep::Remove, Line::Remove,
        fill(last ? u"位置 %1 を Remove しました。末尾の重複が消えました。Count は %2 です。"
                  : u"位置 %1 を Remove しました。重複の一方が消え、後ろの要素が 1 つずつ前に詰まりました。"
                    u"Count は %2 です。",
             {positionText(position), decimalText(m_recorder.count())}));
    form::showRemoved(remove.rows, position, element, static_cast<std::uint8_t>(SortMark::Removed));
    markDuplicates(remove);
    addOperation(std::move(remove), fill(u"Remove(%1)", {positionText(position)}));
}

void SortSteps::endExchange(std::int32_t i, std::int32_t j) {
    form::Step exchange = step(
        SortStep::Exchange, Line::Exchange,
        fill(j == i + 1 ? u"位置 %1 と位置 %2 を交換しました（隣どうしなので Item・Add・Remove の 3 手順）。"
                        : u"位置 %1 と位置 %2 を交換しました（離れているので "
                          u"Item・Add・Item・Add・Remove・Remove の 6 手順）。",
             {positionText(i), positionText(j)}));
    exchange.fold = Fold::FoldedOnly;
    exchange.stops = stopOf(SortJump::Exchange);
    mark(exchange, i, SortMark::Exchanged);
    mark(exchange, j, SortMark::Exchanged);
    exchange.calls = std::move(m_operations);
    // Folded, the first exchange's whole step explains what its first operation explains unfolded.
    if (m_exchanges == 1)
        exchange.explanation = m_explained[static_cast<std::size_t>(SortExplanation::Exchange)];
    m_recorder.add(std::move(exchange));
    m_operations.clear();
    m_exchanging = false;
    m_variables.clear(Variable::V);
    m_variables.clear(Variable::W);
}

void SortSteps::endSort() {
    m_line = Line::None;
    // The loops are over: their variables hold nothing a learner should read.
    m_variables.clear(Variable::I);
    m_variables.clear(Variable::J);
    m_recorder.add(step(SortStep::End, Line::None,
                        fill(u"並べ替えが終わりました。Compare を %1 回呼び、%2 回交換しました。",
                             {decimalText(m_comparison), decimalText(m_exchanges)})));
    finish(true);
}

void SortSteps::finish(bool ended) {
    form::Recording& recording = m_recorder.recording();
    recording.totals = {{u"比較", m_comparison, 0},
                        {u"交換", m_exchanges, 0},
                        {u"Item", m_items, 0},
                        {u"Add", m_addCalls, 0},
                        {u"Remove", m_removes, 0}};
    form::groupTies(recording.elements);
    if (ended) {
        if (std::u16string note = tieNote(); !note.empty())
            recording.notes.push_back(std::move(note));
    }
}

std::u16string SortSteps::tieNote() const {
    // Of the groups that came out in another order, the largest shows it best; elements are numbered
    // in their first order, so element k stood at position k + 1.
    std::vector<form::Element> const& elements = m_recorder.recording().elements;
    std::uint16_t shown = 0;
    std::vector<std::uint16_t> before;
    std::vector<std::uint16_t> after;
    for (std::uint16_t tie = 1;; ++tie) {
        std::vector<std::uint16_t> first;
        for (std::size_t element = 0; element < elements.size(); ++element) {
            if (elements[element].tie == tie)
                first.push_back(static_cast<std::uint16_t>(element));
        }
        if (first.empty())
            break;
        std::vector<std::uint16_t> last;
        for (std::int32_t position = 1; position <= m_recorder.count(); ++position) {
            if (elements[m_recorder.elementAt(position)].tie == tie)
                last.push_back(m_recorder.elementAt(position));
        }
        if (last != first && first.size() > before.size()) {
            shown = tie;
            before = std::move(first);
            after = std::move(last);
        }
    }
    if (shown == 0)
        return {};
    auto const positions = [](std::vector<std::uint16_t> const& group) {
        std::u16string list;
        for (std::uint16_t const element : group)
            list += (list.empty() ? u"" : u"・") + decimalText(element + 1);
        return list;
    };
    return fill(u"%1（%2）の %3 つの要素は、もとの位置 %4 の順に並んでいましたが、並べ替えの後はもとの位置 "
                u"%5 の順です。この並べ替えは安定ではありません。各パスは後ろから前へ比べ、後ろの要素が厳密に"
                u"小さいときだけ交換するので、等しい値の要素どうしは入れ替わらず、先に前へ運ばれた要素が"
                u"前に残ります。",
                {form::tieName(shown), form::tiedValue(elements[before.front()]),
                 decimalText(static_cast<std::int64_t>(before.size())), positions(before), positions(after)});
}

void SortSteps::explainFailure(form::Step& failure, form::RecordedCall const& call) {
    if (!m_explainFailure)
        return;
    for (std::int32_t const position : {m_lhs, m_rhs}) {
        std::uint16_t const element = m_recorder.elementAt(position);
        if (std::any_of(call.reads.begin(), call.reads.end(),
                        [&](form::MemberRead const& read) { return read.element == element; }))
            continue;
        if (std::optional<form::Explanation> explanation = m_explainFailure(m_recorder.nameOf(element)))
            failure.explanation = m_recorder.addExplanation(std::move(*explanation));
        return;
    }
}

void SortSteps::failed(form::RecordedCall call, std::u16string error) {
    form::Step failure =
        step(SortStep::Error, m_line, u"実行時エラーが起きたので、この実行はここで終わります。");
    if (m_line == Line::Compare) {
        mark(failure, m_lhs, SortMark::Lhs);
        mark(failure, m_rhs, SortMark::Rhs);
        explainFailure(failure, call);
    }
    failure.calls = std::move(call.lines);
    failure.error = std::move(error);
    m_recorder.add(std::move(failure));
    finish(false);
}

} // namespace sortlib
