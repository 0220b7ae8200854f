// Showing one step of a recording in the step window, offscreen: the player's step change and the
// table model's update of the rows that changed, beside the peer the window used before, a
// QTableWidget whose every cell is made again for each step; and the whole window's step for scale.
// Two runs side by side: recording both of Pelora's (身長順 and a learner's CmpMember of Height)
// beside recording one, and a move of both together in their window beside the step window's step.
#include "form/Comparison.h"
#include "form/Player.h"
#include "host/ComparisonWindow.h"
#include "host/StepTableModel.h"
#include "host/StepWindow.h"
#include "host/Utf16.h"
#include "pelora/Form1.h"

#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <QTableWidget>
#include <benchmark/benchmark.h>

#include <utility>

namespace {

// A player of Pelora's recording with the most steps of its three buttons, going round its steps.
class PeloraPlayer {
public:
    PeloraPlayer() {
        form::Recording largest;
        for (std::int16_t index = 0; index < 3; ++index) {
            form::Recording recording = pelora::Form1::lesson().record(index, {});
            if (recording.steps.size() > largest.steps.size())
                largest = std::move(recording);
        }
        player.load(std::move(largest));
    }

    // The next step, or the first after the last.
    form::Step const& next() {
        player.goTo(player.current() + 1 < player.stepCount() ? player.current() + 1 : 0);
        return *player.step();
    }

    void count(benchmark::State& state) const {
        state.counters["steps"] = static_cast<double>(player.stepCount());
        state.SetItemsProcessed(state.iterations());
    }

    form::Player player;
};

// The player goes to the next step and the model tells the shown view which rows changed.
void showStepThroughModel(benchmark::State& state) {
    PeloraPlayer steps;
    host::StepTableModel model;
    model.setRecording(&steps.player.recording());
    QTableView view;
    view.setModel(&model);
    view.resize(600, 500);
    view.show();
    for (auto _ : state) {
        model.setStep(&steps.next());
        benchmark::DoNotOptimize(model.rowCount());
    }
    steps.count(state);
}
BENCHMARK(showStepThroughModel)->Unit(benchmark::kMicrosecond);

// The peer: the same rows made again as items of a shown QTableWidget for each step, with a font and
// colours for each marked row, as the window did before its table model.
void showStepRebuildingItemsPeer(benchmark::State& state) {
    PeloraPlayer steps;
    form::Recording const& recording = steps.player.recording();
    QTableWidget table;
    table.resize(600, 500);
    table.show();
    for (auto _ : state) {
        form::Step const& step = steps.next();
        table.setColumnCount(4);
        table.setHorizontalHeaderLabels({QStringLiteral("位置"), QStringLiteral("印"),
                                         host::toQString(recording.valueName), QStringLiteral("要素")});
        table.setRowCount(static_cast<int>(step.rows.size()));
        for (std::size_t row = 0; row < step.rows.size(); ++row) {
            form::Row const& shownRow = step.rows[row];
            form::Element const& element = recording.elements[shownRow.element];
            form::Mark const& mark = recording.marks[shownRow.mark];
            QString const cells[] = {QString::number(shownRow.position), host::toQString(mark.label),
                                     host::toQString(element.value), host::toQString(element.text)};
            for (int column = 0; column < 4; ++column) {
                auto* item = new QTableWidgetItem(cells[column]);
                if (mark.style != form::MarkStyle::Plain) {
                    item->setFont(host::StepTableModel::fontOf(mark.style).resolve(table.font()));
                    item->setBackground(QColor(255, 214, 153));
                }
                table.setItem(static_cast<int>(row), column, item);
            }
        }
        benchmark::DoNotOptimize(table.rowCount());
    }
    steps.count(state);
}
BENCHMARK(showStepRebuildingItemsPeer)->Unit(benchmark::kMicrosecond);

// For scale: the whole step window's step, its sentence, panel, counters, controls and table.
void showStepInTheWindow(benchmark::State& state) {
    host::StepWindow window(pelora::Form1::lesson(),
                            {QStringLiteral("身長順"), QStringLiteral("体重順"), QStringLiteral("年齢順")});
    window.show();
    window.showClick(0);
    for (auto _ : state) {
        window.goToStep(window.currentStep() + 1 < window.stepCount() ? window.currentStep() + 1 : 0);
        benchmark::DoNotOptimize(window.currentStep());
    }
    state.counters["steps"] = static_cast<double>(window.stepCount());
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(showStepInTheWindow)->Unit(benchmark::kMicrosecond);

// The two runs that Pelora's window of two runs opens with: 身長順 beside the learner's CmpMember of
// Height.
form::Run const kHeightButton{0};
form::Run const kOwnHeight{.index = 0, .own = 0, .typed = u"Height"};

// The peer: recording one of them.
void recordOneRunPeer(benchmark::State& state) {
    for (auto _ : state) {
        form::Recorded recorded = pelora::Form1::lesson().recordRun(kHeightButton);
        benchmark::DoNotOptimize(recorded.recording.steps.size());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(recordOneRunPeer)->Unit(benchmark::kMicrosecond);

// Recording both and handing them to the comparison, which numbers their tie groups alike.
void recordTwoRunsSideBySide(benchmark::State& state) {
    form::Comparison comparison;
    for (auto _ : state) {
        comparison.load(pelora::Form1::lesson().recordRun(kHeightButton).recording,
                        pelora::Form1::lesson().recordRun(kOwnHeight).recording);
        benchmark::DoNotOptimize(comparison.left().stepCount());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(recordTwoRunsSideBySide)->Unit(benchmark::kMicrosecond);

// A move of both together in the shown window of two runs (a comparison each, with what follows it:
// an exchange's operations), both tables, counters and totals drawn; from the end, back to the start.
void stepSideBySideInTheWindow(benchmark::State& state) {
    host::ComparisonWindow window(pelora::Form1::lesson(),
                                  {QStringLiteral("身長順"), QStringLiteral("体重順"), QStringLiteral("年齢順")});
    window.resize(1400, 900);
    window.show();
    window.chooseDefault(0, QStringLiteral("Height"));
    window.recordBoth();
    for (auto _ : state) {
        form::Comparison const& comparison = window.comparison();
        if (comparison.left().canGoForward() || comparison.right().canGoForward())
            window.forward();
        else
            window.first();
        benchmark::DoNotOptimize(comparison.left().current());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(stepSideBySideInTheWindow)->Unit(benchmark::kMicrosecond);

} // namespace
