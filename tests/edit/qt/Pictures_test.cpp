// What the main window shows of its tools: a picture of its own on every button, and a cursor of
// its own for every tool, the hand's telling its mode.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <map>

#include "edit/EditState.h"
#include "edit/HandTool.h"
#include "edit/qt/ToolCursors.h"
#include "session/Commands.h"
#include "support/QtApp.h"
#include "widgets/qt/PictureButton.h"

namespace tond::test {
namespace {

TEST(Pictures, EveryButtonOfTheWindowHasAPictureOfItsOwn) {
  TestApp();
  std::map<std::string, QImage> seen;
  for (const ButtonInfo& button : Buttons()) {
    QImage image(40, 40, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    EXPECT_TRUE(DrawButtonPicture(painter, button.name, QRectF(0, 0, 40, 40))) << button.name;
    painter.end();
    for (const auto& [name, other] : seen) EXPECT_NE(image, other) << button.name << " " << name;
    seen[button.name] = image;
  }
}

TEST(Pictures, EachToolHasItsCursorAndTheHandShowsItsMode) {
  TestApp();
  std::map<std::string, QImage> seen;
  auto check = [&](const std::string& what, const QCursor& cursor) {
    ASSERT_EQ(cursor.shape(), Qt::BitmapCursor) << what;
    const QImage image = cursor.pixmap().toImage();
    for (const auto& [name, other] : seen) EXPECT_NE(image, other) << what << " " << name;
    seen[what] = image;
  };
  for (std::uint32_t tool : {kPencil, kLine, kAirbrush, kEraser, kEyedropper, kSelector})
    check(std::to_string(tool), ToolCursor(tool, HandMode::kWhole));
  check("hand", ToolCursor(kHand, HandMode::kWhole));
  check("hand row", ToolCursor(kHand, HandMode::kRow));
  check("hand column", ToolCursor(kHand, HandMode::kColumn));
  EXPECT_EQ(ToolCursor(kFloatingPaste, HandMode::kWhole).shape(), Qt::ArrowCursor);
  EXPECT_EQ(ToolCursor(kFloatingMix, HandMode::kWhole).shape(), Qt::ArrowCursor);
}

}  // namespace
}  // namespace tond::test
