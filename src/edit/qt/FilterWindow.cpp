// "Filters...": the thumbnails of every filter in the Filters folder, the destination channel
// and the amount. The folder is read on a thread of its own, so a folder of hundreds of pictures
// never holds the window up: the window shows the filters as they arrive, in the listing's order.
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "base/Notifier.h"
#include "base/Paths.h"
#include "edit/Filters.h"
#include "edit/qt/ToolDialog.h"
#include "edit/qt/ToolWindows.h"
#include "files/qt/FilterSource.h"
#include "widgets/qt/Convert.h"
#include "widgets/qt/GUIslider.h"

namespace tond {

namespace {

constexpr QSize kOuterSize(469, 417);
constexpr int kRowY = 364;
// A folder read this quickly shows complete when the window opens.
constexpr auto kFirstLook = std::chrono::milliseconds(150);

struct Filter {
  Pattern cells;
  QImage thumbnail;  // pixel (x, y) is the cell of column x, row y
};

// A file that could not be read: its name for the status line, the message for its tooltip.
struct Unread {
  std::string name;
  std::string text;
};

QImage Thumbnail(const Pattern& cells) {
  QImage image(kColumns, kRows, QImage::Format_RGB32);
  for (int y = 0; y < kRows; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < kColumns; ++x)
      line[x] = CellRgb(cells[static_cast<size_t>(CellIndex(x, y))]);
  }
  return image;
}

// Reads the entries one after another on its own thread. Each one read (or refused) calls
// `arrived` on that thread; the window then takes what is ready on its own.
class FilterScan {
 public:
  FilterScan(std::vector<std::string> entries, std::function<void()> arrived)
      : arrived_(std::move(arrived)), thread_([this, entries = std::move(entries)] {
          for (const std::string& path : entries) {
            if (stop_) break;
            HeldMessages held;
            std::optional<Pattern> cells = ReadFilterSource(path, held);
            std::optional<Filter> filter;
            if (cells) filter = Filter{*cells, Thumbnail(*cells)};
            std::vector<Unread> notes;
            for (std::string& text : held.messages) notes.push_back({FileNameOf(path), text});
            Hand(std::move(filter), std::move(notes), false);
          }
          Hand(std::nullopt, {}, true);
        }) {}
  ~FilterScan() {
    stop_ = true;
    thread_.join();
  }
  FilterScan(const FilterScan&) = delete;
  FilterScan& operator=(const FilterScan&) = delete;

  // Moves what has been read since the last call into the lists; true once all has been read.
  bool Take(std::vector<Filter>& filters, std::vector<Unread>& unread) {
    std::lock_guard lock(mutex_);
    for (Filter& f : ready_) filters.push_back(std::move(f));
    ready_.clear();
    unread.insert(unread.end(), notes_.begin(), notes_.end());
    notes_.clear();
    return done_;
  }
  void WaitDone(std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex_);
    done_changed_.wait_for(lock, limit, [this] { return done_; });
  }
  void WaitDone() {
    std::unique_lock lock(mutex_);
    done_changed_.wait(lock, [this] { return done_; });
  }

 private:
  void Hand(std::optional<Filter> filter, std::vector<Unread> notes, bool done) {
    {
      std::lock_guard lock(mutex_);
      if (filter) ready_.push_back(std::move(*filter));
      notes_.insert(notes_.end(), notes.begin(), notes.end());
      done_ = done;
    }
    if (done) done_changed_.notify_all();
    arrived_();
  }

  std::function<void()> arrived_;
  std::mutex mutex_;
  std::condition_variable done_changed_;
  std::vector<Filter> ready_;
  std::vector<Unread> notes_;
  bool done_ = false;
  std::atomic<bool> stop_{false};
  std::thread thread_;  // last: it starts once everything it uses is there
};

class FilterDlg : public ToolDialog {
 public:
  FilterDlg(QWidget* parent, Session& session)
      : ToolDialog(parent, "Filters...", kOuterSize),
        session_(session),
        selection_(static_cast<std::int16_t>(session.Filters().selected)) {
    const FilterSettings& stored = session.Filters();
    status_ = new QLabel(this);
    status_->setGeometry(FilterBrowser::kAreaLeft, 2, FilterBrowser::kAreaRight - 20, 16);

    scroll_ = new QScrollBar(Qt::Vertical, this);
    scroll_->setGeometry(FilterBrowser::kAreaRight, FilterBrowser::kAreaTop, 16,
                         FilterBrowser::kAreaBottom - FilterBrowser::kAreaTop - 20);
    scroll_->setPageStep(FilterBrowser::kVisibleRows);
    connect(scroll_, &QScrollBar::valueChanged, this, [this](int row) {
      if (browser_.ScrollTo(row)) update(AreaRect());
    });

    auto* destinationLabel = new QLabel("Destination", this);
    destinationLabel->setGeometry(20, kRowY, 52, 16);
    destination_ = new QComboBox(this);
    destination_->addItems({"volume (red)", "pan (green)", "pitch (blue)"});
    destination_->setGeometry(76, kRowY - 3, 110, 22);
    destination_->setCurrentIndex(static_cast<int>(std::min(stored.destination, 2u)));

    auto* amountLabel = new QLabel("Amount", this);
    amountLabel->setGeometry(210, kRowY, 40, 15);
    level_ = new GUIslider(this);
    level_->setObjectName("level");
    level_->setGeometry(250, kRowY, 100, 15);
    level_->SetRange(1, 100);
    level_->SetPageStep(10);
    auto* levelText = new QLabel(this);
    levelText->setGeometry(356, kRowY, 30, 15);
    connect(level_, &GUIslider::valueChanged, levelText,
            [levelText](double value) { levelText->setNum(static_cast<int>(value)); });
    level_->SetValue(stored.level);

    AddOk(QRect(392, kRowY - 4, 56, 24));
  }

  ~FilterDlg() override {
    scan_.reset();
    if (busy_) session_.GetPlatform().Busy(false);
  }

  // Lists the folder (a message when it holds nothing) and starts reading it under the wait
  // cursor; a quick folder is complete before the window shows.
  void Find() {
    std::vector<std::string> entries = session_.FilterFolderEntries();
    if (entries.empty()) {
      Drain();
      return;
    }
    session_.GetPlatform().Busy(true);
    busy_ = true;
    scan_ = std::make_unique<FilterScan>(std::move(entries), [this] {
      QMetaObject::invokeMethod(
          this, [this] { Drain(); }, Qt::QueuedConnection);
    });
    scan_->WaitDone(kFirstLook);
    Drain();
  }

  // What "Ok" or a double click changed.
  const Change& Accepted() const { return accepted_; }

  // "Ok" and a double click: the choice is kept for the run and applied.
  void accept() override {
    // A choice among files still being read waits for them.
    if (scan_ && selection_ >= static_cast<int>(filters_.size())) {
      scan_->WaitDone();
      Drain();
    }
    const Pattern* cells = selection_ >= 0 && selection_ < static_cast<int>(filters_.size())
                               ? &filters_[static_cast<size_t>(selection_)].cells
                               : nullptr;
    accepted_ = session_.AcceptFilter(static_cast<std::uint32_t>(destination_->currentIndex()),
                                      static_cast<std::uint32_t>(level_->Value()),
                                      cells ? selection_ : std::int16_t{-1}, cells);
    ToolDialog::accept();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    for (int slot = 0; slot < FilterBrowser::kSlots; ++slot) {
      const QRect square(FilterBrowser::SlotX(slot), FilterBrowser::SlotY(slot),
                         FilterBrowser::kSlotSize, FilterBrowser::kSlotSize);
      const int index = browser_.SlotFilter(slot);
      if (index >= 0) p.drawImage(square.topLeft(), filters_[static_cast<size_t>(index)].thumbnail);
      if (index < 0 || index == browser_.Selected()) {
        p.setPen(index < 0 ? QColor(100, 100, 100) : QColor(255, 0, 0));
        p.drawRect(square.adjusted(0, 0, -1, -1));
      }
    }
  }

  void mousePressEvent(QMouseEvent* event) override {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && browser_.Press(at.x(), at.y())) {
      selection_ = browser_.Selected();
      update(AreaRect());
    }
  }

  void mouseDoubleClickEvent(QMouseEvent* event) override {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && browser_.DoubleClick(at.x(), at.y())) {
      selection_ = browser_.Selected();
      accept();
    }
  }

  void wheelEvent(QWheelEvent* event) override {
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0) scroll_->setValue(scroll_->value() - notches);
  }

  // The outer size, frame included, is fixed; the frame is known once the window shows.
  void showEvent(QShowEvent* event) override {
    ToolDialog::showEvent(event);
    QTimer::singleShot(0, this, [this] { FitFrame(); });
  }
  void moveEvent(QMoveEvent* event) override {
    ToolDialog::moveEvent(event);
    FitFrame();
  }

 private:
  static QRect AreaRect() {
    return QRect(FilterBrowser::kAreaLeft, FilterBrowser::kAreaTop,
                 FilterBrowser::kAreaRight - FilterBrowser::kAreaLeft,
                 FilterBrowser::kAreaBottom - FilterBrowser::kAreaTop);
  }

  void FitFrame() {
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize inner = kOuterSize - frame;
    if (inner != size()) setFixedSize(inner);
  }

  // Takes the filters read so far; once all are read, the wait cursor goes and the status
  // names the files that could not be read.
  void Drain() {
    const bool done = scan_ == nullptr || scan_->Take(filters_, unread_);
    const int first = browser_.FirstRow();
    browser_ = FilterBrowser(static_cast<int>(filters_.size()), selection_);
    browser_.ScrollTo(first);
    scroll_->setRange(0, browser_.MaxFirstRow());
    update(AreaRect());
    if (!done || scanned_) return;
    scanned_ = true;
    if (busy_) session_.GetPlatform().Busy(false);
    busy_ = false;
    // The stored choice may name a file that has gone since.
    selection_ = browser_.Selected();
    ShowUnread();
  }

  void ShowUnread() {
    if (unread_.empty()) return;
    QStringList names, texts;
    for (const Unread& file : unread_) {
      names << QString::fromStdString(file.name);
      texts << QString::fromStdString(file.text);
    }
    status_->setText("Not read: " + names.join(", "));
    status_->setToolTip(texts.join("\n\n"));
  }

  Session& session_;
  std::vector<Filter> filters_;
  std::vector<Unread> unread_;
  std::unique_ptr<FilterScan> scan_;
  FilterBrowser browser_{0, -1};
  std::int16_t selection_;  // may name a filter not read yet
  bool busy_ = false;
  bool scanned_ = false;
  QLabel* status_;
  QScrollBar* scroll_;
  QComboBox* destination_;
  GUIslider* level_;
  Change accepted_;
};

}  // namespace

void RunFilterWindow(QWidget* parent, Session& session, const Repaint& repaint) {
  FilterDlg dialog(parent, session);
  dialog.Find();
  if (dialog.exec() == QDialog::Accepted) repaint(dialog.Accepted());
}

}  // namespace tond
