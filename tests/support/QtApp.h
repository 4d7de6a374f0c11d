#pragma once
// The one application object a test program of windows needs, made at first use and closed
// after the last test, while Qt's own globals still stand; the steps a user takes in a modal
// window; and files dropped from a file manager.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <string>
#include <vector>

namespace tond::test {

inline QApplication& TestApp() {
  static QApplication* app = [] {
    static int argc = 1;
    static char name[] = "tond-test";
    static char* argv[] = {name, nullptr};
    auto* made = new QApplication(argc, argv);
    struct Close : ::testing::Environment {
      explicit Close(QApplication* app) : app(app) {}
      void TearDown() override { delete app; }
      QApplication* app;
    };
    ::testing::AddGlobalTestEnvironment(new Close(made));
    return made;
  }();
  return *app;
}

// Call just before running a modal window: once it shows, `steps` drive it; if they leave it
// open (a failed step), it is closed with an unused result so the test goes on.
inline void InModal(std::function<void(QDialog&)> steps) {
  TestApp();
  QTimer::singleShot(0, [steps = std::move(steps)] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog) return ADD_FAILURE() << "no modal window";
    steps(*dialog);
    if (dialog->isVisible()) dialog->done(-1);
  });
}

// Clicks the push buttons of `window` labelled `text`.
inline void Press(QWidget& window, const QString& text) {
  for (QPushButton* b : window.findChildren<QPushButton*>())
    if (b->text() == text) QTest::mouseClick(b, Qt::LeftButton);
}

// Drops `files` on `target`; false when it does not take them.
inline bool DropFiles(QWidget* target, const std::vector<std::string>& files) {
  QMimeData data;
  QList<QUrl> urls;
  for (const std::string& f : files) urls << QUrl::fromLocalFile(QString::fromStdString(f));
  data.setUrls(urls);
  QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, {});
  QApplication::sendEvent(target, &drop);
  QApplication::processEvents();
  return true;
}

}  // namespace tond::test
