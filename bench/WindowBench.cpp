// The main window's pattern area drawn into an image of the window's size, as every repaint
// does: the whole area (4096 cells, grid and beat lines), one cell after a pencil stroke, and
// one step of the play marker; beside them, the same cells as 4096 QPainter::fillRect calls.
// "large" are the 13 x 11 cells of a wide screen, "small" the 12 x 10 ones. A slider move of a
// live tool window: the recompute of the cells and the repaint of the area.
#include <benchmark/benchmark.h>

#include <QPainter>
#include <random>

#include "app/qt/PatternCanvas.h"
#include "model/Project.h"
#include "support/SessionFixture.h"

namespace tond {
namespace {

struct Scene : test::SessionFixture {
  explicit Scene(bool large)
      : geometry(large ? CellGeometry(13, 11) : CellGeometry(12, 10)),
        canvas(geometry, QSize(geometry.WindowWidth(), geometry.PatternArea().bottom + 90)) {
    session.SetGeometry(geometry);
    std::mt19937 rng(3);
    Pattern cells;
    for (Cell& c : cells) c = rng() & 0xFFFFFF;
    platform.picture = cells;
    session.ImportPictureFile("random");
    session.Press(Command::kGrid);  // the beat lines too
  }
  CellGeometry geometry;
  PatternCanvas canvas;
};

void WholeArea(benchmark::State& state) {
  Scene scene(state.range(0) != 0);
  for (auto _ : state) benchmark::DoNotOptimize(scene.canvas.DrawPattern(scene.session));
}

void PencilCell(benchmark::State& state) {
  Scene scene(state.range(0) != 0);
  const CellGeometry& g = scene.geometry;
  int x = 0;
  for (auto _ : state) {
    x = (x + 1) % kColumns;
    const int px = g.CellPixels(x, 7).left, py = g.CellPixels(x, 7).top;
    const Change change = scene.session.LeftDown(px, py, {});
    benchmark::DoNotOptimize(scene.canvas.DrawCells(scene.session, change.cells));
    state.PauseTiming();
    scene.session.LeftUp(px, py);
    state.ResumeTiming();
  }
}

void MarkerStep(benchmark::State& state) {
  Scene scene(state.range(0) != 0);
  int column = 0;
  for (auto _ : state) {
    column = (column + 1) % kColumns;
    benchmark::DoNotOptimize(scene.canvas.DrawMarker(column));
  }
}

// For comparison: the cells through QPainter, one fillRect each.
void PainterCells(benchmark::State& state) {
  Scene scene(state.range(0) != 0);
  QImage image(scene.canvas.Image().size(), QImage::Format_RGB32);
  const CellGeometry& g = scene.geometry;
  for (auto _ : state) {
    QPainter painter(&image);
    for (int x = 0; x < kColumns; ++x)
      for (int y = 0; y < kRows; ++y)
        painter.fillRect(QRectOf(g.CellPixels(x, y)),
                         QColor::fromRgb(CellRgb(scene.session.GetProject().GetCell(x, y))));
  }
}

// A slider of a live tool window moves by one step on a pattern without an empty cell: the
// session recomputes the 4096 cells from its copy, then the pattern area is drawn again.
// Argument: 0 "Color curves", 1 "Offset colors", 2 "Mutate colors".
void SliderMove(benchmark::State& state) {
  Scene scene(true);
  Session& session = scene.session;
  const int window = static_cast<int>(state.range(0));
  const Command opens[] = {Command::kMap, Command::kColors, Command::kMutate};
  session.Press(opens[window]);
  int value = 0;
  for (auto _ : state) {
    value = value == 40 ? -40 : value + 1;
    const Change change = window == 0   ? session.SetCurveAmount(0, value)
                          : window == 1 ? session.SetColourOffset(0, value)
                                        : session.SetMutationAmount(0, value + 40);
    if (change.pattern) benchmark::DoNotOptimize(scene.canvas.DrawPattern(session));
  }
  session.CancelLiveEdit();
}

BENCHMARK(WholeArea)->ArgName("large")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK(PencilCell)->ArgName("large")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK(MarkerStep)->ArgName("large")->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);
BENCHMARK(PainterCells)->ArgName("large")->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(SliderMove)->ArgName("window")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tond

BENCHMARK_MAIN();
