#include "kit/qt/KitEditor.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QUrl>

#include "kit/KitList.h"
#include "model/Project.h"
#include "scales/qt/ScaleDlg.h"
#include "session/Session.h"
#include "widgets/qt/Look.h"
#include "widgets/qt/PictureButton.h"

namespace tond {

using namespace kit_list;

namespace {

constexpr int kButtonSize = 40;
constexpr int kPictureSize = 32;
constexpr int kButtonGap = 8;
const QColor kHighlight(0xFF, 0x64, 0x64);

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

// The loop and fade boxes, 12 pixels wide and a row high.
QPixmap Box(bool loop, bool on, int height) {
  QPixmap box(kLoopHitEnd - kLoopX, height - 1);
  box.fill(Qt::transparent);
  QPainter p(&box);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF frame(0.5, 0.5, box.width() - 1, box.height() - 1);
  p.setPen(on ? QColor(0x66, 0xCC, 0x66) : QColor(0x66, 0x66, 0x66));
  p.setBrush(on ? QColor(0x22, 0x55, 0x22) : kBackgroundColour);
  p.drawRect(frame);
  if (!on) return box;
  p.setPen(QPen(QColor(0xDD, 0xFF, 0xDD), 1.2));
  p.setBrush(Qt::NoBrush);
  const QRectF inner = frame.adjusted(2.5, 2.5, -2.5, -2.5);
  if (loop) {
    p.drawArc(inner, 60 * 16, 300 * 16);  // a circle with a gap: round and round
  } else {
    p.drawLine(inner.bottomLeft(), inner.topRight());  // a ramp: the sound fades
  }
  return box;
}

// The pictures of the four kit commands, drawn here at 32 pixels.
QPixmap KitPicture(CKitDlg::Button button) {
  QPixmap picture(kPictureSize, kPictureSize);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor& ink = kLabelColour;
  const QColor& accent = kHighlight;
  p.setPen(QPen(ink, 2));
  auto folder = [&p, &ink](QRectF r) {
    QPainterPath path;
    path.moveTo(r.left(), r.bottom());
    path.lineTo(r.left(), r.top() + 3);
    path.lineTo(r.left() + r.width() * 0.4, r.top() + 3);
    path.lineTo(r.left() + r.width() * 0.5, r.top() + 6);
    path.lineTo(r.right(), r.top() + 6);
    path.lineTo(r.right(), r.bottom());
    path.closeSubpath();
    p.setPen(QPen(ink, 2));
    p.drawPath(path);
  };
  auto wave = [&p](QRectF r, const QColor& colour) {
    QPainterPath path;
    path.moveTo(r.left(), r.center().y());
    for (int i = 1; i <= 16; ++i) {
      const double x = r.left() + r.width() * i / 16.0;
      const double y = r.center().y() + (i % 2 ? -1 : 1) * r.height() / 2 * ((i * 7) % 5 + 1) / 5.0;
      path.lineTo(x, y);
    }
    p.setPen(QPen(colour, 1.5));
    p.drawPath(path);
  };
  switch (button) {
    case CKitDlg::kAdd:
      wave(QRectF(3, 18, 26, 10), ink);
      p.setPen(QPen(accent, 3));
      p.drawLine(16, 2, 16, 14);
      p.drawLine(10, 8, 22, 8);
      break;
    case CKitDlg::kFolder:
      folder(QRectF(3, 5, 26, 23));
      wave(QRectF(7, 15, 18, 8), accent);
      break;
    case CKitDlg::kRandom:
      p.drawRoundedRect(QRectF(5, 5, 22, 22), 4, 4);
      p.setPen(Qt::NoPen);
      p.setBrush(accent);
      for (QPointF dot :
           {QPointF(11, 11), QPointF(21, 11), QPointF(16, 16), QPointF(11, 21), QPointF(21, 21)})
        p.drawEllipse(dot, 2, 2);
      break;
    case CKitDlg::kSlicer:
      wave(QRectF(2, 8, 28, 16), ink);
      p.setPen(QPen(accent, 1.5, Qt::DashLine));
      for (int x : {9, 16, 23}) p.drawLine(x, 3, x, 29);
      break;
    default:  // Clear, Load and Save: the library's pictures
      break;
  }
  return picture;
}

constexpr const char* kNames[CKitDlg::kButtons] = {"Clear",  "Load",   "Save",  "Add",
                                                   "Folder", "Random", "Slicer"};
constexpr const char* kTooltips[CKitDlg::kButtons] = {
    "Clear the kit. Current data will be lost.",
    "Load a kit (.kit file).",
    "Save the current kit (.kit file).",
    "Add multiple samples in the first available slots.",
    "Create a new kit from successive samples in a folder.",
    "Create a new kit from samples randomly chosen in a folder and its subfolders.",
    "Create a new kit by randomly slicing a long sample.",
};

}  // namespace

CKitDlg::CKitDlg(Session& session, QWidget* parent)
    : QDialog(parent),
      session_(session),
      folderScan_(this, "Kit from a folder"),
      treeScan_(this, "Random kit"),
      cellHeight_(session.Geometry().CellHeight()),
      highlighted_(kNoSlot) {
  ApplyDarkLook(this);
  setWindowTitle("Kit Editor");
  setMouseTracking(true);
  setAcceptDrops(true);
  setFocusPolicy(Qt::StrongFocus);
  const PixelRect list = KitListBounds(session.Geometry().CellWidth(), cellHeight_);
  const int buttonsTop = KitStatusTop(cellHeight_) + 2 * cellHeight_ + 4;
  setFixedSize(list.right + kLeft, buttonsTop + kButtonSize + kTop);
  for (int i = 0; i < 4; ++i) boxes_[static_cast<size_t>(i)] = Box(i < 2, i % 2 == 0, cellHeight_);

  for (int i = 0; i < kButtons; ++i) {
    const auto which = static_cast<Button>(i);
    // Clear, Load and Save have the library's pictures; the four kit commands draw their own.
    PictureButton* button =
        i <= kSave ? new PictureButton(kNames[i], kTooltips[i], kButtonSize, this)
                   : new PictureButton(kNames[i], KitPicture(which), kTooltips[i], 4, this);
    button->move(kLeft + i * (button->width() + kButtonGap), buttonsTop);
    buttons_[static_cast<size_t>(i)] = button;
    connect(button, &QAbstractButton::clicked, this, [this, which] {
      switch (which) {
        case kClear:
          return Show(session_.ClearKit());
        case kLoad:
          return Show(session_.LoadKit());
        case kSave:
          return Show(session_.SaveKit());
        case kAdd:
          return Show(session_.AddKitSamples());
        case kFolder:
          return Show(session_.KitFromFolder(folderScan_));
        case kRandom:
          return Show(session_.KitFromRandomFiles(treeScan_));
        case kSlicer:
          return Show(session_.SliceSample());
        case kButtons:
          return;
      }
    });
  }
}

void CKitDlg::Show(const Change& change) {
  if (change.status) status_ = *change.status;
  update();
}

void CKitDlg::Highlight(int slot) {
  if (slot == highlighted_) return;
  highlighted_ = slot;
  if (slot != kNoSlot) status_ = session_.GetProject().kit[slot].samplePath;
  update();
}

void CKitDlg::paintEvent(QPaintEvent*) {
  QPainter p(this);  // on the dark look's background
  p.setFont(ToolFont());
  const CKit& kit = session_.GetProject().kit;
  const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
  for (int i = 0; i < kSlots; ++i) {
    const CInstrument& in = kit[i];
    const int y = KitRowTop(i, cellHeight_);
    p.setPen(i == highlighted_ ? kHighlight : kLabelColour);
    p.save();
    p.setClipRect(kLeft, y, kNameClipRight - kLeft, cellHeight_);
    p.drawText(QRect(kLeft, y, kNameClipRight - kLeft + 100, cellHeight_), flags,
               Text(KitSlotLabel(i, in.samplePath)));
    p.restore();
    p.drawPixmap(kLoopX, y, boxes_[in.loop ? 0 : 1]);
    p.drawPixmap(kFadeX, y, boxes_[in.fade ? 2 : 3]);
    p.drawText(QRect(kLengthX, y, kRootKeyX - kLengthX, cellHeight_), flags,
               Text(KitLengthText(in.Length())));
    p.drawText(QRect(kRootKeyX, y, kRootKeyWidth, cellHeight_), flags,
               Text(RootKeyText(in.rootKey)));
  }
  p.setPen(kLabelColour);
  p.drawText(QRect(kLeft, KitStatusTop(cellHeight_), width() - 2 * kLeft, 2 * cellHeight_), flags,
             Text(status_));
}

void CKitDlg::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const KitHit hit = KitListHit(at.x(), at.y(), cellHeight_);
  Highlight(hit.slot);
  if (emptying_ && hit.slot != kNoSlot) Show(session_.EmptyKitSlot(hit.slot));
  const bool overKey = KitRootKeyHit(at.x(), at.y(), cellHeight_) != kNoSlot;
  setCursor(overKey ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void CKitDlg::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const KitHit hit = KitListHit(at.x(), at.y(), cellHeight_);
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  if (event->button() == Qt::LeftButton) {
    switch (hit.column) {
      case KitColumn::kName:
        return Show(session_.ChooseKitSample(hit.slot));
      case KitColumn::kLoop:
        return Show(session_.ToggleKitFlag(hit.slot, Session::KitFlag::kLoop, shift));
      case KitColumn::kFade:
        return Show(session_.ToggleKitFlag(hit.slot, Session::KitFlag::kFade, shift));
      case KitColumn::kNone:
        break;
    }
    const int keySlot = KitRootKeyHit(at.x(), at.y(), cellHeight_);
    if (keySlot != kNoSlot) OpenScaleWindow(keySlot);
  } else if (event->button() == Qt::RightButton && hit.column == KitColumn::kName) {
    Show(shift ? session_.EmptyKitSlots() : session_.EmptyKitSlot(hit.slot));
    emptying_ = true;
  }
}

void CKitDlg::mouseReleaseEvent(QMouseEvent*) {
  emptying_ = false;
}

void CKitDlg::keyPressEvent(QKeyEvent* event) {
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  const int slot = highlighted_;
  using Flag = Session::KitFlag;
  switch (event->key()) {
    case Qt::Key_Up:
      return Highlight(KitHighlightUp(slot));
    case Qt::Key_Down:
      return Highlight(KitHighlightDown(slot));
    case Qt::Key_Delete:
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_L:
    case Qt::Key_F:
      break;
    default:
      return QDialog::keyPressEvent(event);
  }
  if (slot == kNoSlot) return;
  switch (event->key()) {
    case Qt::Key_Delete:
      return Show(shift ? session_.EmptyKitSlots() : session_.EmptyKitSlot(slot));
    case Qt::Key_Space:
      return session_.PlayKitSlot(slot);
    case Qt::Key_Return:
    case Qt::Key_Enter:
      session_.OpenInAudioEditor(slot);
      return;
    case Qt::Key_L:
      return Show(session_.ToggleKitFlag(shift ? 0 : slot, Flag::kLoop, shift));
    case Qt::Key_F:
      return Show(session_.ToggleKitFlag(shift ? 0 : slot, Flag::kFade, shift));
  }
}

void CKitDlg::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CKitDlg::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
  event->acceptProposedAction();
  Show(session_.AddKitFiles(paths));
}

void CKitDlg::OpenScaleWindow(int slot) {
  const CInstrument& in = session_.GetProject().kit[slot];
  RunScaleWindow(this, {in.minkey, in.maxkey, in.scale}, [this, slot](const KeyRange& range) {
    session_.SetKitKeys(slot, range.minkey, range.maxkey, range.scale);
  });
  update();
}

void CKitDlg::done(int result) {
  session_.StopKitSound();  // a sample started with Space ends with the window
  QDialog::done(result);
}

void RunKitEditor(QWidget* parent, Session& session) {
  CKitDlg dialog(session, parent);
  dialog.exec();
}

}  // namespace tond
