// SPDX-License-Identifier: GPL-3.0-or-later
// How long a full repaint of the visible matrix rows takes, offscreen: every cell of the rows in
// view painted into the window's backing store, as after scrolling a page or reading a list.
#include <memory>

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>

#include "catalogue/EntityCatalogue.h"
#include "evaluation/Evaluation.h"
#include "matrix/ConfirmationMatrix.h"
#include "ui/TKvMainForm.h"
#include "ui/matrix/OwnerDrawGrid.h"

namespace {

using wendrix::BandIndex;
using wendrix::ModeIndex;

enum class Fill {
    Empty,
    Half,
    Full
};

struct Scene
{
    wendrix::EntityCatalogue catalogue = wendrix::BuildEntityCatalogue();
    wendrix::ConfirmationMatrix matrix;
    wendrix::Evaluation evaluation;
    std::unique_ptr<wendrix::ui::TKvMainForm> window;
    wendrix::ui::OwnerDrawGrid* grid = nullptr;

    Scene(Fill fill, bool evaluationMode)
    {
        for (int entity = 1; entity <= catalogue.EntityCount(); ++entity) {
            for (int band = 0; band < wendrix::kListBandCount; ++band) {
                for (int mode = 0; mode < 3; ++mode) {
                    const bool tick = fill == Fill::Full ||
                                      (fill == Fill::Half && (entity + band + mode) % 2 == 0);
                    if (tick) {
                        matrix.SetCell(entity, BandIndex{band}, ModeIndex{mode},
                                       wendrix::CellOperation::Set);
                    }
                }
            }
        }
        if (evaluationMode) {
            wendrix::BandThresholds thresholds;
            thresholds.minimum.fill(0);
            evaluation.AccumulateParticipant("DL1ABC", matrix, thresholds);
            evaluation.AccumulateParticipant("DK2XY", wendrix::ConfirmationMatrix{}, thresholds);
            evaluation.AccumulateParticipant("OE3ZZ", matrix, thresholds);
        }
        window = std::make_unique<wendrix::ui::TKvMainForm>(
            catalogue, matrix,
            evaluationMode ? wendrix::ui::SharePainters(catalogue, evaluation)
                           : wendrix::ui::TickPainters(catalogue, matrix));
        if (evaluationMode) {
            window->ArrangeForEvaluation();
        }
        window->show();
        static_cast<void>(QTest::qWaitForWindowExposed(window.get()));
        grid = window->findChild<wendrix::ui::OwnerDrawGrid*>(QStringLiteral("DrawGrid"));
    }
};

void RepaintVisibleRows(benchmark::State& state, Fill fill, bool evaluationMode)
{
    Scene scene(fill, evaluationMode);
    QWidget* viewport = scene.grid->viewport();
    for (auto _ : state) {
        viewport->repaint();
    }
    state.counters["rows"] = scene.grid->FullyVisibleRows();
}

void BM_RepaintMatrix_Empty(benchmark::State& state)
{
    RepaintVisibleRows(state, Fill::Empty, false);
}
void BM_RepaintMatrix_HalfTicked(benchmark::State& state)
{
    RepaintVisibleRows(state, Fill::Half, false);
}
void BM_RepaintMatrix_AllTicked(benchmark::State& state)
{
    RepaintVisibleRows(state, Fill::Full, false);
}
// Every ticked cell outlined as ticked by the last import: the worst case of the marks.
void BM_RepaintMatrix_AllTickedAndMarked(benchmark::State& state)
{
    Scene scene(Fill::Full, false);
    wendrix::ConfirmationMatrix::CellMarks marks{};
    for (auto& row : marks) {
        row.set();
    }
    scene.matrix.SetMarks(marks);
    QWidget* viewport = scene.grid->viewport();
    for (auto _ : state) {
        viewport->repaint();
    }
    state.counters["rows"] = scene.grid->FullyVisibleRows();
}
void BM_RepaintMatrix_EvaluationShares(benchmark::State& state)
{
    RepaintVisibleRows(state, Fill::Half, true);
}

BENCHMARK(BM_RepaintMatrix_Empty)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintMatrix_HalfTicked)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintMatrix_AllTicked)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintMatrix_AllTickedAndMarked)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintMatrix_EvaluationShares)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
