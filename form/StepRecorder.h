#pragma once

#include "form/Steps.h"
#include "runtime/Observer.h"
#include "runtime/Variant.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace runtime {
class RuntimeError;
}

namespace form {

// Records the steps of one algorithm run on one collection from the runtime's events, as the reader
// of an algorithm's own steps (a sort's, a transform's) derives from it. It keeps a copy of the
// collection's order as element numbers, moved by each Item, Add and Remove of that collection,
// the lines of each interface call the algorithm makes (its arguments, the members read and calls
// made beneath it, its answer), and makes the steps. It reads while attached; it reads element texts
// itself only when the run begins, and no reader is told of that reading. Hooks cannot fail: when
// memory runs out in one, the recording ends there with the out-of-memory error, after the run.
class StepRecorder : public runtime::Observer, public runtime::Reader {
public:
    // The line of an element in the collection (a number's text, a person's description).
    using ElementText = std::function<std::u16string(runtime::Variant const& element)>;

    explicit StepRecorder(ElementText elementText);
    StepRecorder(StepRecorder const&) = delete;
    StepRecorder& operator=(StepRecorder const&) = delete;
    virtual ~StepRecorder();

    // Runs the algorithm and returns what was recorded. A run-time error ends the recording with a
    // step that shows it, where it happened; it does not leave.
    Recording record(std::function<void()> const& algorithm);

    void attachTo(runtime::Attachment& attachment) override;

    void memberRead(runtime::Object const& object, std::u16string_view member,
                    runtime::Variant const& value) noexcept override;
    void callBegun(runtime::Object const& callee, std::string_view operation,
                   std::span<runtime::Variant const> arguments) override;
    void callEnded(runtime::Object const& callee, std::string_view operation,
                   runtime::Variant const* result) noexcept override;
    void itemRead(runtime::Collection const& collection, std::int32_t position,
                  runtime::Variant const& value) noexcept override;
    void added(runtime::Collection const& collection, std::int32_t position) noexcept override;
    void removed(runtime::Collection const& collection, std::int32_t position,
                 runtime::Variant const& value) noexcept override;

protected:
    // Runs what a hook does; an error in it (memory running out) stops the recording, and record()
    // reports it once the run is over.
    template <class Body>
    void recordOrStop(Body const& body) noexcept {
        if (m_failure)
            return;
        try {
            body();
        } catch (...) {
            m_failure = std::current_exception();
        }
    }

    // Starts following collection: its elements get their numbers and texts.
    void follow(runtime::Collection const& collection);
    // A step at this procedure line, with the collection as it stands and the counters so far.
    Step& addStep(StepKind kind, int line, std::u16string sentence);
    Recording& recording() { return m_recording; }
    std::vector<std::uint16_t> const& order() const { return m_order; }
    std::int32_t count() const { return static_cast<std::int32_t>(m_order.size()); }
    // The class of an object, as the programs name it.
    std::u16string const& classOf(runtime::Object const& object);
    // Names the elements now at these positions in call lines (the sort's lhs and rhs).
    void nameElementsAt(std::int32_t lhsPosition, std::int32_t rhsPosition);
    // The values read of the element at a position during the latest call, or its text when the call
    // read none (the key a comparison was about).
    std::u16string keyAt(std::int32_t position) const;
    std::u16string const& textOf(std::uint16_t element) const { return m_recording.elements[element].text; }

    // What the reader makes of the events of the followed collection, once the order copy is
    // updated, and of each outermost call with its lines (result null: an error left it).
    virtual void onItemRead(std::int32_t position) { (void)position; }
    virtual void onAdded(std::int32_t position) { (void)position; }
    virtual void onRemoved(std::int32_t position, std::uint16_t element) { (void)position, (void)element; }
    virtual void onCall(std::vector<CallLine> lines, runtime::Variant const* result) {
        (void)lines, (void)result;
    }
    // The element that Add just put in the collection: by default the one read last (a sort moves
    // only what it read).
    virtual std::uint16_t addedElement() { return m_lastRead; }

    std::int32_t m_pass = 0;
    std::int32_t m_comparison = 0;
    std::int32_t m_exchanges = 0;
    std::int32_t m_element = 0;
    int m_lineInProgress = 0; // the procedure line of the operation under way

private:
    void readMember(runtime::Object const& object, std::u16string_view member, runtime::Variant const& value);
    std::u16string describe(runtime::Variant const& value);
    std::u16string describe(runtime::Object const& object);
    int elementOf(runtime::Object const& object) const;

    ElementText m_elementText;
    std::exception_ptr m_failure;
    Recording m_recording;
    runtime::Collection const* m_collection = nullptr;
    std::vector<runtime::Object const*> m_objects; // the object of each element, or null
    std::vector<std::uint16_t> m_order;
    std::uint16_t m_lastRead = 0;
    std::vector<std::pair<runtime::Object const*, std::u16string>> m_classes;
    std::pair<int, int> m_named{-1, -1}; // the elements named lhs and rhs
    std::vector<CallLine> m_callLines;
    int m_depth = 0;
    std::vector<std::pair<int, std::u16string>> m_reads; // element and value, in the latest call
    bool m_reading = false;                              // reading element texts itself
};

} // namespace form
