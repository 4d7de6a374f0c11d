#include "app/qt/Program.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <memory>
#include <vector>

#include "app/qt/MainWindow.h"
#include "app/qt/QtPlatform.h"
#include "app/qt/TondApp.h"
#include "base/Notifier.h"
#include "widgets/qt/Look.h"

namespace tond {

namespace {

// SIGINT and SIGTERM are written into a pipe that the window thread watches: the handler does
// nothing else, and the program ends from the event loop.
int signalPipe[2] = {-1, -1};

extern "C" void WriteSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(signalPipe[1], &byte, 1);
}

class SignalPipe {
 public:
  SignalPipe() {
    if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    struct sigaction action {};
    action.sa_handler = WriteSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
  }
  ~SignalPipe() {
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
  }
  SignalPipe(const SignalPipe&) = delete;
  SignalPipe& operator=(const SignalPipe&) = delete;
  int ReadEnd() const { return signalPipe[0]; }
};

bool Set(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

// Qt ends the process when its platform cannot start (a display that does not answer): the same
// one line as without a display, so that a script can fall back to playing without one. What Qt
// says while it starts is held back until it has started, so that the line stays alone.
QtMessageHandler previousHandler = nullptr;
struct HeldMessage {
  QtMsgType type;
  QString text;
};
std::vector<HeldMessage>* heldMessages = nullptr;

void HoldWhileStarting(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtFatalMsg) {
    std::cerr << kNoDisplayMessage << std::endl;
    _exit(kExitNoDisplay);
  }
  heldMessages->push_back({type, text});
}

std::unique_ptr<QApplication> StartQt(int& argc, char** argv) {
  std::vector<HeldMessage> held;
  heldMessages = &held;
  previousHandler = qInstallMessageHandler(HoldWhileStarting);
  auto qt = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(previousHandler);
  heldMessages = nullptr;
  for (const HeldMessage& m : held) {
    if (previousHandler != nullptr)
      previousHandler(m.type, QMessageLogContext(), m.text);
    else
      std::cerr << m.text.toStdString() << std::endl;
  }
  return qt;
}

// For the start-up benchmark: TOND_REPORT_FIRST_PAINT holds the wall-clock nanoseconds at which
// the program was launched; the first paint prints how long it took.
void ReportFirstPaint(CTondDlg& window) {
  const char* launched = std::getenv("TOND_REPORT_FIRST_PAINT");
  if (launched == nullptr) return;
  const long long start = std::atoll(launched);
  QObject::connect(&window, &CTondDlg::firstPainted, [start] {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const long long ns = now.tv_sec * 1000000000LL + now.tv_nsec;
    std::cerr << "first paint after " << (ns - start) / 1000000 << " ms" << std::endl;
  });
}

std::string Absolute(const std::string& path) {
  std::error_code ec;
  std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  return ec ? path : absolute.string();
}

}  // namespace

bool DisplayAvailable() {
  return Set("DISPLAY") || Set("WAYLAND_DISPLAY") || Set("QT_QPA_PLATFORM");
}

int RunWindowProgram(const std::optional<std::string>& file) {
  if (!DisplayAvailable()) {
    std::cerr << kNoDisplayMessage << std::endl;
    return kExitNoDisplay;
  }
  // Start-up makes the program folder the working folder.
  const std::optional<std::string> dropped =
      file ? std::optional<std::string>(Absolute(*file)) : std::nullopt;
  SignalPipe stopSignals;

  int argc = 1;
  char name[] = "tond";
  char* argv[] = {name, nullptr};
  std::unique_ptr<QApplication> qt = StartQt(argc, argv);
  ApplyDarkLookToApplication();

  QtPlatform platform;
  CTondApp app(platform);
  app.StartUp();
  platform.SetPlayer(&app.GetPlayer());
  Session& session = app.GetSession();
  session.SetGeometry(ScreenGeometry());
  CTondDlg window(session, app.settings, &app.Stream());
  platform.SetParent(&window);
  if (app.settings.defaultKit) window.Apply(session.LoadStartKit(app.DefaultKitPath()));
  std::string notice = app.StartUpNotice();
  const std::string recovered = app.ClaimRecovery();
  if (!recovered.empty()) notice += (notice.empty() ? "" : "  ") + recovered;
  window.ShowStatus(notice);
  ReportFirstPaint(window);
  window.show();
  if (dropped) {
    QTimer::singleShot(0, &window, [&] { window.Apply(session.Drop({*dropped})); });
  }

  bool signalled = false;
  QSocketNotifier notifier(stopSignals.ReadEnd(), QSocketNotifier::Read);
  QObject::connect(&notifier, &QSocketNotifier::activated, [&] {
    // Nobody is there to answer: every question still open is declined and every event loop,
    // the dialogs' too, ends; a second signal ends the program at once.
    signalled = true;
    notifier.setEnabled(false);
    platform.SetEnding();
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    QCoreApplication::exit(0);
  });
  qt->exec();

  window.Closing();
  if (signalled && session.Modified()) {
    const std::string path = app.RecoveryPath();
    if (!session.SaveRecovery(path)) std::cerr << FormatMessage(kSaveError, path) << std::endl;
  }
  platform.SetPlayer(nullptr);
  app.ShutDown();
  return 0;
}

}  // namespace tond
