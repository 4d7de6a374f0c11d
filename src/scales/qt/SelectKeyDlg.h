#pragma once
// The key window ("Select a key:"): a keyboard of all 128 keys, scrolled by whole keys, on which
// a click chooses a key and closes the window.
#include <QDialog>
#include <QPixmap>
#include <cstdint>
#include <optional>

class QScrollBar;

namespace tond {

// The keyboard strip, 1350 x 90 pixels: an orange band with the C names, the white keys and
// the black keys over them, key 0 at the left.
QPixmap KeyboardPicture();

class CSelectKeyDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CSelectKeyDlg(QWidget* parent = nullptr);

  // The key clicked; nothing when the window was closed without a click.
  std::optional<std::uint8_t> SelectedKey() const { return selected_; }
  int FirstKey() const { return firstKey_; }
  QScrollBar* ScrollBar() const { return scroll_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void Scrolled(int action);
  int KeyAt(QPoint point) const;

  QPixmap keyboard_;
  QScrollBar* scroll_;
  int firstKey_ = 0;
  std::optional<std::uint8_t> selected_;
};

// Runs a key window; the key clicked, or nothing.
std::optional<std::uint8_t> RunSelectKey(QWidget* parent);

}  // namespace tond
