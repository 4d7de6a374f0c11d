#include "overview/qt/PatternsWindow.h"

#include <QDialog>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <array>
#include <cstring>

#include "model/Project.h"
#include "overview/PatternsLayout.h"
#include "widgets/qt/Look.h"

namespace tond {

namespace {

using namespace patterns_layout;

class PatternsDialog : public QDialog {
 public:
  PatternsDialog(QWidget* parent, const Project& project) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Patterns..."));
    ApplyDarkLook(this);
    setFixedSize(kInnerSize, kInnerSize);
    setMouseTracking(true);
    ThumbnailPixels pixels;
    for (int p = 0; p < kCount; ++p) {
      RenderThumbnail(project.StoredPattern(p), pixels);
      QImage image(kThumbSize, kThumbSize, QImage::Format_RGB32);
      for (int y = 0; y < kThumbSize; ++y)
        std::memcpy(image.scanLine(y), &pixels[static_cast<std::size_t>(y * kThumbSize)],
                    kThumbSize * sizeof(std::uint32_t));
      thumbnails_[static_cast<std::size_t>(p)] = image;
    }
  }

  int Selected() const { return selected_; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);  // on the dark look's background
    for (int i = 0; i < kCount; ++i) {
      const Point at = ThumbnailOrigin(i);
      p.drawImage(at.x, at.y, thumbnails_[static_cast<std::size_t>(i)]);
    }
    const Point at = ThumbnailOrigin(selected_);
    p.setPen(Qt::white);
    p.setBrush(Qt::NoBrush);
    p.drawRect(at.x, at.y, kThumbSize - 1, kThumbSize - 1);
  }

  void mouseMoveEvent(QMouseEvent* event) override {
    const QPoint at = event->position().toPoint();
    Select(PatternAtPoint(at.x(), at.y()));
  }

  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) accept();
  }

  void keyPressEvent(QKeyEvent* event) override {
    switch (event->key()) {
      case Qt::Key_Up:
        return Select(MovePatternSelection(selected_, PatternKey::kUp));
      case Qt::Key_Down:
        return Select(MovePatternSelection(selected_, PatternKey::kDown));
      case Qt::Key_Left:
        return Select(MovePatternSelection(selected_, PatternKey::kLeft));
      case Qt::Key_Right:
        return Select(MovePatternSelection(selected_, PatternKey::kRight));
      case Qt::Key_Return:
      case Qt::Key_Enter:
        return accept();
      default:
        QDialog::keyPressEvent(event);  // Escape cancels
    }
  }

 private:
  void Select(int pattern) {
    if (pattern < 0 || pattern == selected_) return;
    selected_ = pattern;
    update();
  }

  std::array<QImage, kCount> thumbnails_;
  int selected_ = 0;
};

}  // namespace

std::optional<int> RunPatternsWindow(QWidget* parent, const Project& project) {
  PatternsDialog dialog(parent, project);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Selected();
}

}  // namespace tond
