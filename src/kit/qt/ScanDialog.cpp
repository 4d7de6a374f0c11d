#include "kit/qt/ScanDialog.h"

#include <QProgressDialog>
#include <QTimer>
#include <atomic>
#include <mutex>
#include <thread>

#include "widgets/qt/Look.h"

namespace tond {

namespace {

constexpr int kPollMs = 50;
constexpr int kLabelWidth = 480;

// What the worker reports, read by the window thread's timer.
class Shared : public ScanProgress {
 public:
  void Looking(const std::string& text) override {
    std::lock_guard<std::mutex> lock(mutex_);
    text_ = text;
  }
  bool Cancelled() override { return cancel.load(); }
  std::string Text() {
    std::lock_guard<std::mutex> lock(mutex_);
    return text_;
  }
  std::atomic<bool> cancel{false};
  std::atomic<bool> done{false};

 private:
  std::mutex mutex_;
  std::string text_;
};

}  // namespace

bool ScanDialog::Run(const std::function<void(ScanProgress&)>& work) {
  Shared shared;
  QProgressDialog dialog(parent_);
  ApplyDarkLook(&dialog);
  dialog.setWindowTitle(title_);
  dialog.setWindowModality(Qt::WindowModal);
  dialog.setRange(0, 0);  // no end known: a busy bar
  dialog.setMinimumDuration(0);
  dialog.setAutoClose(false);
  dialog.setAutoReset(false);
  dialog.setMinimumWidth(kLabelWidth + 40);
  QObject::connect(&dialog, &QProgressDialog::canceled, [&shared] { shared.cancel = true; });

  std::thread worker;
  QTimer poll;
  poll.setInterval(kPollMs);
  QObject::connect(&poll, &QTimer::timeout, &dialog, [&] {
    const QString text = QString::fromStdString(shared.Text());
    dialog.setLabelText(dialog.fontMetrics().elidedText(text, Qt::ElideMiddle, kLabelWidth));
    if (shared.done) dialog.accept();
  });
  // Started from the dialog's own loop, so that it is on screen before the first file.
  QTimer::singleShot(0, &dialog, [&] {
    worker = std::thread([&] {
      if (!shared.cancel) work(shared);
      shared.done = true;
    });
    poll.start();
  });
  dialog.exec();
  shared.cancel = shared.cancel || !shared.done;
  if (worker.joinable()) worker.join();
  return !shared.cancel;
}

}  // namespace tond
