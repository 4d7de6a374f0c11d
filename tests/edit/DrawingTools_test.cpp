#include "edit/DrawingTools.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "edit/Airbrush.h"
#include "edit/ColourMix.h"
#include "edit/Eraser.h"
#include "edit/Random.h"
#include "model/Project.h"
#include "model/UndoSystem.h"

namespace tond {
namespace {

const CellGeometry kLarge(13, 11);

TEST(CellGeometry, PixelsMapToCellsForBothCellSizes) {
  const CellGeometry small = CellGeometry::ForScreenWidth(1064);
  EXPECT_EQ(CellGeometry::ForScreenWidth(1065).CellWidth(), 13);
  struct Case {
    const CellGeometry& g;
    int px, py;
    CellPoint cell;  // (-1, -1): off the pattern
  };
  for (const Case& c : {Case{kLarge, 15, 10, {0, 0}}, Case{kLarge, 27, 20, {0, 0}},
                        Case{kLarge, 28, 21, {1, 1}}, Case{kLarge, 846, 713, {63, 63}},
                        Case{kLarge, 14, 10, {-1, -1}}, Case{kLarge, 847, 10, {-1, -1}},
                        Case{kLarge, 15, 714, {-1, -1}}, Case{small, 86, 80, {5, 7}}}) {
    CellPoint cell{-1, -1};
    EXPECT_EQ(c.g.CellAt(c.px, c.py, cell), c.cell.x >= 0) << c.px << "," << c.py;
    EXPECT_EQ(cell, c.cell) << c.px << "," << c.py;
  }
  // Dragged from (6, 7) back to (2, 3): the frame lies on the grid lines around the cells.
  EXPECT_EQ(kLarge.SelectionFrame({6, 7, 2, 3}), (PixelRect{40, 42, 106, 98}));
  EXPECT_EQ(kLarge.BlockPixels({2, 3, 6, 7}), (PixelRect{41, 43, 105, 97}));
}

std::vector<CellPoint> Points(const std::vector<LineCell>& cells) {
  std::vector<CellPoint> points;
  for (const auto& c : cells) points.push_back(c.cell);
  return points;
}

TEST(LineTool, CellsFollowTheErrorTermAndQuantizeKeepsTheWholeGradient) {
  const Cell c1 = MakeCell(255, 50, 100), c2 = MakeCell(0, 50, 0);
  EXPECT_EQ(Points(LineCells({3, 5}, {1, 0}, c1, c2, 0)),
            (std::vector<CellPoint>{{3, 5}, {3, 4}, {2, 3}, {2, 2}, {1, 1}, {1, 0}}));
  auto quantized = LineCells({0, 0}, {15, 0}, c1, c2, 2);
  EXPECT_EQ(Points(quantized), (std::vector<CellPoint>{{0, 0}, {4, 0}, {8, 0}, {12, 0}}));
  EXPECT_EQ(quantized[3].colour, Lerp(c1, c2, 12.0f / 15.0f));
  EXPECT_EQ(LineCells({9, 9}, {9, 9}, c1, c2, 0), (std::vector<LineCell>{{{9, 9}, c1}}));

  // Any line is connected, one cell per step of its long axis, from colour 1 at its start
  // to colour 2 at its end.
  RandomSource random(7);
  for (int i = 0; i < 200; ++i) {
    CellPoint a{RandomIndex(random, 63), RandomIndex(random, 63)};
    CellPoint b{RandomIndex(random, 63), RandomIndex(random, 63)};
    auto cells = LineCells(a, b, c1, c2, 0);
    ASSERT_EQ(cells.size(),
              static_cast<size_t>(std::max(std::abs(b.x - a.x), std::abs(b.y - a.y)) + 1));
    EXPECT_EQ(cells.front(), (LineCell{a, c1}));
    EXPECT_EQ(cells.back(), (LineCell{b, cells.size() > 1 ? c2 : c1}));
    for (size_t k = 1; k < cells.size(); ++k)
      EXPECT_LE(std::max(std::abs(cells[k].cell.x - cells[k - 1].cell.x),
                         std::abs(cells[k].cell.y - cells[k - 1].cell.y)),
                1);
  }
}

TEST(Eraser, SquaresAroundTheCursorClippedToTheGrid) {
  EXPECT_EQ(EraserSquare({10, 10}, 1), (CellRect{10, 10, 10, 10}));
  EXPECT_EQ(EraserSquare({0, 0}, 5), (CellRect{0, 0, 2, 2}));
  EXPECT_EQ(EraserSquare({63, 62}, 4), (CellRect{61, 60, 63, 63}));
}

TEST(Airbrush, DropsLieBetweenTheColoursAndOutsideDropsAreLost) {
  EXPECT_GE(SprayPeriodMs(100), 1);  // a 0 ms timer would spin
  Grid grid;
  const Cell c1 = MakeCell(255, 0, 255), c2 = MakeCell(0x58, 0x43, 0xFF);
  RandomSource random(3);
  int landed = 0;
  for (int i = 0; i < 2000; ++i) {
    auto cell = SprayDrop(grid, {0, 0}, 8, c1, c2, random);
    if (!cell) continue;
    ++landed;
    ASSERT_TRUE(cell->x >= 0 && cell->x <= 8 && cell->y >= 0 && cell->y <= 8);
    const Cell v = grid.Get(cell->x, cell->y);
    EXPECT_TRUE(Red(v) >= 0x58 && Green(v) <= 0x43 && Blue(v) == 255) << v;
  }
  // Three quarters of the disc lie off the grid (less the row and column that truncation
  // pulls in), so most drops are lost but not all.
  EXPECT_GT(landed, 300);
  EXPECT_LT(landed, 1000);
  // Truncation toward zero pulls positions between -1 and 0 onto the edge: with radius 1 at
  // the corner almost every drop lands, though three quarters of the angles point outwards.
  landed = 0;
  for (int i = 0; i < 400; ++i) landed += SprayDrop(grid, {0, 0}, 1, c1, c2, random).has_value();
  EXPECT_GT(landed, 390);
}

// The window's side of the tools: pixel events on a project with an undo history.
struct ToolsFixture : ::testing::Test {
  Project project;
  EditState edit;
  UndoSystem undo;
  RandomSource random{11};
  StrokeState stroke;
  ToolSettings settings;
  ToolContext c{project, edit, undo, random, stroke, settings, kLarge};

  void SetUp() override {
    undo.Init(&project.working);
    edit.currentTool = kPencil;
  }
  static int Px(int x) { return 15 + x * 13 + 6; }
  static int Py(int y) { return 10 + y * 11 + 5; }
  ToolResponse Down(int x, int y, Modifiers keys = {}) { return OnLeftDown(c, Px(x), Py(y), keys); }
  ToolResponse Move(int x, int y, bool left = true, bool right = false) {
    return OnMove(c, Px(x), Py(y), left, right);
  }
  ToolResponse Up(int x, int y) { return OnLeftUp(c, Px(x), Py(y)); }
};

TEST_F(ToolsFixture, PencilStrokeEndsAtAReleaseOverThePattern) {
  RandomSource twin{11};
  EXPECT_EQ(PencilColour(settings, random), settings.pencilColour);
  EXPECT_EQ(random.Next(), twin.Next()) << "variation 0 must not draw random numbers";

  // (A stroke, the right button's erasing and the one push: the main window's test.) A release
  // off the pattern ends nothing; the stroke goes on and pushes at the next one.
  Down(1, 1);
  EXPECT_FALSE(OnLeftUp(c, 5, 5).pushed);
  Move(4, 4);
  EXPECT_EQ(project.GetCell(4, 4), settings.pencilColour);
  EXPECT_TRUE(Up(4, 4).pushed);
  EXPECT_EQ(undo.Count(), 2);
  Move(5, 5);
  EXPECT_EQ(project.GetCell(5, 5), 0u);

  ToolResponse r = Down(6, 6, {.ctrl = true});
  ASSERT_TRUE(r.editCell.has_value());
  EXPECT_EQ(project.GetCell(6, 6), 0u);
  EXPECT_TRUE(ApplyCellEdit(c, *r.editCell, 0x123456).pushed);
  EXPECT_FALSE(ApplyCellEdit(c, *r.editCell, 0x123456).pushed);
  EXPECT_EQ(project.GetCell(6, 6), 0x123456u);

  // Variation 100 takes a mid grey to both ends of every channel.
  settings.pencilVariation = 100;
  settings.pencilColour = MakeCell(128, 128, 128);
  int low = 255, high = 0;
  for (int i = 0; i < 300; ++i) {
    const Cell v = PencilColour(settings, random);
    low = std::min({low, Red(v), Green(v), Blue(v)});
    high = std::max({high, Red(v), Green(v), Blue(v)});
  }
  EXPECT_TRUE(low == 0 && high == 255) << low << " " << high;
}

TEST_F(ToolsFixture, LineWritesOnlyAfterAMoveAndPreviewsTheSameCells) {
  edit.currentTool = kLine;
  Down(3, 3);
  EXPECT_FALSE(Up(3, 3).pushed);
  Down(0, 0);
  Move(15, 0);
  EXPECT_EQ(project.working, Pattern{}) << "the preview must not touch the grid";
  EXPECT_EQ(LinePreview(stroke, settings).size(), 16u);
  Move(7, 0);
  // The line ends at the last cell moved over, not where the button comes up.
  EXPECT_TRUE(Up(20, 20).pushed);
  EXPECT_EQ(project.GetCell(7, 0), settings.lineColour2);
  EXPECT_EQ(project.GetCell(8, 0), 0u);
  EXPECT_TRUE(LinePreview(stroke, settings).empty());

  // Moving away and back draws the single start cell in colour 1.
  Down(30, 30);
  Move(31, 31);
  Move(30, 30);
  Up(30, 30);
  EXPECT_EQ(project.GetCell(30, 30), settings.lineColour1);
  EXPECT_EQ(project.GetCell(31, 31), 0u);
  EXPECT_EQ(undo.Count(), 3);
}

TEST_F(ToolsFixture, EraserClearsSquaresShowsItsOutlineAndPushesOnce) {
  edit.currentTool = kEraser;
  project.working.Fill(0x0000FF);
  settings.eraserSize = 2.9;  // truncated to 2
  Move(20, 20, false);
  EXPECT_EQ(stroke.eraserOutline, kLarge.BlockPixels({19, 19, 20, 20}));
  EXPECT_EQ(project.GetCell(20, 20), 0x0000FFu) << "no erasing without a press";
  Down(10, 10);
  Move(11, 10);
  EXPECT_EQ(project.GetCell(9, 9), 0u);
  EXPECT_EQ(project.GetCell(11, 10), 0u);
  EXPECT_EQ(project.GetCell(12, 10), 0x0000FFu);
  EXPECT_TRUE(OnMove(c, 2, 2, true, false).redrawPattern);
  EXPECT_TRUE(stroke.eraserOutline.Empty());
  EXPECT_TRUE(Up(11, 10).pushed);
  EXPECT_EQ(undo.Count(), 2);
}

TEST_F(ToolsFixture, AirbrushTimerSpraysWhileHeldAndStopsAtRelease) {
  edit.currentTool = kAirbrush;
  EXPECT_EQ(Down(32, 32).startSprayTimerMs, 40);
  Move(5, 5);
  for (int i = 0; i < 50; ++i) OnSprayTick(c);
  int near = 0;
  for (int x = 0; x < 14; ++x)
    for (int y = 0; y < 14; ++y) near += project.GetCell(x, y) != 0;
  EXPECT_GT(near, 0) << "the spray follows the mouse";
  ToolResponse r = Up(5, 5);
  EXPECT_TRUE(r.stopSprayTimer && r.pushed);
  Pattern after = project.working.Snapshot();
  EXPECT_TRUE(OnSprayTick(c).redrawCells.empty());
  EXPECT_EQ(project.working, after);

  // Changing tools mid-spray stops the timer and keeps what was sprayed undoable.
  Down(32, 32);
  r = SelectTool(c, kPencil);
  EXPECT_TRUE(r.stopSprayTimer && r.pushed);
  EXPECT_FALSE(stroke.spraying);
  EXPECT_FALSE(SelectTool(c, kPencil).pushed);
}

TEST_F(ToolsFixture, HandMovesFromTheCopyTakenAtThePress) {
  edit.currentTool = kHand;
  for (int i = 0; i < kCells; ++i) project.working.Set(i, static_cast<Cell>(i + 1));
  const Pattern before = project.working.Snapshot();
  // Pressed at (10, 20), moved over (11, 11) to `to`: the pattern, row 20 or column 10 moves
  // by (dx, dy) from where it was at the press.
  struct Case {
    Modifiers keys;
    CellPoint to;
    int dx, dy, row, column;  // row, column -1: all of them move
  };
  for (const Case& m :
       {Case{{}, {12, 19}, 2, -1, -1, -1}, Case{{.ctrl = true}, {7, 40}, -3, 0, 20, -1},
        Case{{.ctrl = true, .shift = true}, {50, 25}, 0, 5, -1, 10}}) {
    project.working.CopyFrom(before);
    Down(10, 20, m.keys);
    Move(11, 11);
    Move(m.to.x, m.to.y);
    EXPECT_TRUE(Up(m.to.x, m.to.y).pushed);
    for (int x = 0; x < 64; ++x)
      for (int y = 0; y < 64; ++y) {
        const bool moves = (m.row < 0 || y == m.row) && (m.column < 0 || x == m.column);
        const int from = moves ? CellIndex(Wrap64(x - m.dx), Wrap64(y - m.dy)) : CellIndex(x, y);
        ASSERT_EQ(project.GetCell(x, y), before[static_cast<size_t>(from)]) << x << "," << y;
      }
  }
  EXPECT_EQ(undo.Count(), 4);

  // A drag that began off the pattern never writes a starting copy back.
  const Pattern released = project.working.Snapshot();
  stroke.handCopy.fill(0);
  Move(20, 20);
  EXPECT_EQ(project.working, released);
}

TEST_F(ToolsFixture, FloatingPasteIsHeldFromAPressInsideUntilRelease) {
  edit.selection = {2, 1, 10, 5};
  CopySelection(project, edit);
  BeginPaste(edit, false);  // floats at columns 28-36, rows 30-34
  Down(30, 31);
  EXPECT_TRUE(Move(32, 31).redrawPattern);
  EXPECT_EQ(edit.selection, (CellRect{30, 30, 38, 34}));
  Up(60, 31);
  EXPECT_FALSE(Move(40, 40).redrawPattern) << "released: no longer held";
}

TEST_F(ToolsFixture, EyedropperSelectorAndRowHint) {
  edit.currentTool = kEyedropper;
  project.SetCell(4, 5, 0x00ABCDEF);
  EXPECT_TRUE(Down(4, 5).pickedColourChanged);
  EXPECT_EQ(stroke.pickedColour, 0x00ABCDEFu);

  edit.currentTool = kSelector;
  Down(10, 5);
  Move(2, 1);
  Up(2, 1);
  Move(30, 30);
  EXPECT_EQ(edit.selection, (CellRect{10, 5, 2, 1}));

  project.kit[7].samplePath = "C:\\kits\\drums\\kick.wav";
  project.kit[8].samplePath = "/home/u/Waves/snare.wav";
  edit.currentTool = kLine;
  EXPECT_EQ(Move(40, 7).status, "kick.wav");
  EXPECT_EQ(Move(40, 8).status, "snare.wav");
  edit.currentTool = kHand;
  EXPECT_EQ(Move(40, 7, false).status, "");
  EXPECT_EQ(LineQuantizeText(2), "1/4");
  EXPECT_EQ(PercentText(37.6), "37 %");
}

}  // namespace
}  // namespace tond
