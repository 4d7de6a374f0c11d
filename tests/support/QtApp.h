#pragma once
// The one application object a test program of windows needs, made at first use and closed
// after the last test, while Qt's own globals still stand.
#include <gtest/gtest.h>

#include <QApplication>

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

}  // namespace tond::test
