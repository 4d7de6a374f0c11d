#pragma once
// The kit editor ("Kit Editor"): the 64 slots of the current kit as a list, edited in place
// through the session's kit editor commands. The main window opens it once
// session.Press(Command::kKits) has stopped playback and returned Window::kKitEditor.
#include <QDialog>
#include <QPixmap>
#include <array>
#include <string>

#include "kit/qt/ScanDialog.h"

class QAbstractButton;

namespace tond {

class Session;
struct Change;

void RunKitEditor(QWidget* parent, Session& session);

class CKitDlg : public QDialog {
  Q_OBJECT

 public:
  enum Button { kClear, kLoad, kSave, kAdd, kFolder, kRandom, kSlicer, kButtons };

  CKitDlg(Session& session, QWidget* parent = nullptr);

  int Highlighted() const { return highlighted_; }
  const std::string& StatusText() const { return status_; }
  QAbstractButton* ButtonAt(Button button) const { return buttons_[button]; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void done(int result) override;

 private:
  void Show(const Change& change);
  void Highlight(int slot);
  void OpenScaleWindow(int slot);

  Session& session_;
  ScanDialog folderScan_;
  ScanDialog treeScan_;
  int cellHeight_;
  int highlighted_;
  std::string status_;
  bool emptying_ = false;  // the right button went down on a name: moving empties slots
  std::array<QAbstractButton*, kButtons> buttons_{};
  std::array<QPixmap, 4> boxes_;  // loop on, loop off, fade on, fade off
};

}  // namespace tond
