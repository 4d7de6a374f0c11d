#pragma once
// The one application object a test program of windows needs, made at first use and closed
// after the last test, while Qt's own globals still stand; and the steps a user takes in a
// modal window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

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

}  // namespace tond::test
