// The "Cell Color" window: the sliders make the colour, each swatch plays the row with its own
// colour, and closing stops what plays.
#include "edit/qt/CellColourEditor.h"

#include <gtest/gtest.h>

#include <QTest>
#include <array>
#include <cmath>

#include "engine/Engine.h"
#include "support/QtApp.h"
#include "support/SessionFixture.h"
#include "support/TestFiles.h"
#include "widgets/qt/SliderRow.h"

namespace tond::test {
namespace {

// The level of what the engine renders next.
double Level(Session& session) {
  std::array<float, 2 * 256> out{};
  session.GetEngine().Process(256, out.data());
  double sum = 0;
  for (float v : out) sum += std::fabs(v);
  return sum;
}

TEST(CellColourEditor, SwatchesPlayTheOldAndNewColourAndClosingStopsThem) {
  SessionFixture f;
  TempDir dir;
  WriteText(dir.File("k.kit"),
            KitText({{dir.Wave("tone.wav", std::vector<std::int16_t>(44100, 8000))}}));
  f.session.LoadKitFile(dir.File("k.kit"));

  double oldLevel = 0, newLevel = 0;
  InModal([&](QDialog& d) {
    auto* red = d.findChild<SliderRow*>("Red");
    EXPECT_EQ(red->ValueText(), "100");
    for (int i = 0; i < 10; ++i) QTest::keyClick(red->Slider(), Qt::Key_PageUp);
    EXPECT_EQ(red->ValueText(), "200");
    auto* oldSwatch = d.findChild<QWidget*>("oldSwatch");
    auto* newSwatch = d.findChild<QWidget*>("newSwatch");
    QTest::mouseClick(newSwatch, Qt::LeftButton);
    newLevel = Level(f.session);
    // Still sounding when the window closes.
    QTest::mouseClick(oldSwatch, Qt::LeftButton);
    oldLevel = Level(f.session);
    QTest::keyClick(&d, Qt::Key_Escape);
  });
  const Cell result = RunCellColourEditor(nullptr, f.session, 0, MakeCell(100, 128, 128));
  EXPECT_EQ(result, MakeCell(200, 128, 128));
  // Red is the volume: the new colour plays twice as loud as the old one.
  ASSERT_GT(oldLevel, 0);
  EXPECT_NEAR(newLevel / oldLevel, 2.0, 0.02);
  EXPECT_EQ(Level(f.session), 0);
}

}  // namespace
}  // namespace tond::test
