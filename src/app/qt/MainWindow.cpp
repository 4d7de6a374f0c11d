#include "app/qt/MainWindow.h"

#include <QCloseEvent>
#include <QCursor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QUrl>
#include <QWheelEvent>

#include "app/qt/MidiInput.h"
#include "app/qt/ToolPanel.h"
#include "base/Version.h"
#include "edit/ToolSettings.h"
#include "edit/qt/ToolCursors.h"
#include "engine/AudioStream.h"
#include "engine/Engine.h"
#include "widgets/qt/GUIcolorButton.h"
#include "widgets/qt/Look.h"
#include "widgets/qt/PictureButton.h"
#include "widgets/qt/SliderRow.h"

namespace tond {

namespace {

constexpr int kLoadPeriodMs = 1000;
// The play marker follows voice 0 at the screen's pace, far above the 30 steps a second that
// the fastest tempo plays.
constexpr int kMarkerPeriodMs = 15;
constexpr const char* kNoImageMessage = "Unable to create Device Context";
// The window's height below the pattern area.
constexpr int kBelowPattern = 90;

// The bottom row, from the pattern area's left edge, in button pitches: groups with a gap of one
// pitch between them.
struct Slot {
  Command command;
  int column;
};
constexpr Slot kBottomRow[] = {
    {Command::kNew, 0},       {Command::kLoad, 1},        {Command::kSave, 2},
    {Command::kClear, 4},     {Command::kLoadPattern, 5}, {Command::kSavePattern, 6},
    {Command::kImport, 8},    {Command::kExport, 9},      {Command::kExportMidi, 10},
    {Command::kPlay, 12},     {Command::kRecord, 13},     {Command::kKits, 15},
    {Command::kPatterns, 16}, {Command::kSettings, 17},   {Command::kGrid, 19},
    {Command::kAbout, 20},
};

// The rows right of the pattern area: their tops and their buttons, left to right.
struct RightRow {
  int top;
  std::array<std::optional<Command>, 4> commands;
};
constexpr int kToolRowTop = 10;
constexpr int kPanelTop = 112;
constexpr int kPanelHeight = 54;
constexpr RightRow kRightRows[] = {
    {220, {Command::kMutate, Command::kMap, Command::kFilter, Command::kColors}},
    {260, {Command::kRevX, Command::kRevY, Command::kRotate, Command::kRotate2}},
    {300, {Command::kCopy, Command::kCut, Command::kPaste, Command::kMix}},
    {340, {Command::kLineH, Command::kLineV, Command::kCells, Command::kRnd}},
    {400, {Command::kUndo, Command::kRedo, std::nullopt, std::nullopt}},
};
constexpr int kTempoTop = 500;
constexpr int kVolumeTop = 530;
constexpr int kSliderHeight = 20;
constexpr int kSliderLabelWidth = 44;

int Pitch(const CellGeometry& g) {
  return g.CellWidth() == 12 ? 37 : 40;
}

bool Checkable(Command c) {
  return c == Command::kPlay || c == Command::kRecord || c == Command::kGrid ||
         std::ranges::any_of(ToolButtons(), [c](const ToolButton& t) { return t.command == c; });
}

// A key as the table knows it; nothing for a key it cannot list.
std::optional<KeyPress> KeyOf(const QKeyEvent& event) {
  const Qt::KeyboardModifiers mods = event.modifiers();
  KeyPress key;
  key.ctrl = mods.testFlag(Qt::ControlModifier);
  key.shift = mods.testFlag(Qt::ShiftModifier);
  key.keypad = mods.testFlag(Qt::KeypadModifier);
  const int k = event.key();
  if ((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9)) {
    key.key = k;  // Qt's codes are the upper-case characters
  } else if (k >= Qt::Key_F1 && k <= Qt::Key_F7) {
    key.key = kKeyF1 + (k - Qt::Key_F1);
  } else {
    switch (k) {
      case Qt::Key_Space:
        key.key = ' ';
        break;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        key.key = kKeyEnter;
        break;
      case Qt::Key_Escape:
        key.key = kKeyEscape;
        break;
      case Qt::Key_Left:
        key.key = kKeyLeft;
        break;
      case Qt::Key_Right:
        key.key = kKeyRight;
        break;
      case Qt::Key_Up:
        key.key = kKeyUp;
        break;
      case Qt::Key_Down:
        key.key = kKeyDown;
        break;
      default:
        return std::nullopt;
    }
  }
  return key;
}

}  // namespace

CellGeometry ScreenGeometry() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return CellGeometry::ForScreenWidth(screen != nullptr ? screen->size().width()
                                                        : CellGeometry::kWideScreen);
}

CTondDlg::CTondDlg(Session& session, Settings& settings, AudioStream* stream, QWidget* parent)
    : QWidget(parent),
      session_(session),
      settings_(settings),
      stream_(stream),
      geometry_(session.Geometry()),
      canvas_(geometry_,
              QSize(geometry_.WindowWidth(), geometry_.PatternArea().bottom + kBelowPattern)),
      font_(ToolFont()) {
  setWindowTitle(kProgramTitle);
  setWindowIcon(ProgramIcon());
  ApplyDarkLook(this);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFixedSize(canvas_.Image().size());
  // Keys go to the table, never to a button or slider that happens to have the focus.
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);

  if (canvas_.Image().isNull()) session_.GetPlatform().Message(kNoImageMessage);
  BuildButtons();
  BuildSliders();
  canvas_.DrawPattern(session_);
  ShowTool();
  ShowTransport();

  connect(&loadTimer_, &QTimer::timeout, this, [this] {
    setWindowTitle(QString::fromStdString(LoadTitle(stream_ ? stream_->CpuLoad() : 0.0)));
    // A full disk ends the recording: Record shows released as its message opens.
    if (session_.RecordingFailed()) {
      for (auto& [command, button] : buttons_)
        if (command == Command::kRecord) button->setChecked(false);
      Apply(session_.CheckRecording());
    }
  });
  loadTimer_.start(kLoadPeriodMs);
  connect(&markerTimer_, &QTimer::timeout, this, &CTondDlg::PollMarker);
  sprayTimer_.setTimerType(Qt::PreciseTimer);
  connect(&sprayTimer_, &QTimer::timeout, this, [this] { Apply(session_.SprayTick()); });

  OpenMidiInput();
  setAcceptDrops(true);
}

CTondDlg::~CTondDlg() {
  Closing();
}

void CTondDlg::BuildButtons() {
  const int pitch = Pitch(geometry_), size = pitch - 4;
  const PixelRect area = geometry_.PatternArea();
  const int right = area.right + 20;
  auto add = [&](Command command, int x, int y) {
    const ButtonInfo& info = ButtonFor(command);
    auto* button = new PictureButton(info.name, info.tooltip, size, this);
    button->setGeometry(x, y, size, size);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCheckable(Checkable(command));
    connect(button, &QAbstractButton::clicked, this, [this, command] { Press(command); });
    buttons_.emplace_back(command, button);
  };
  for (const Slot& slot : kBottomRow)
    add(slot.command, area.left + slot.column * pitch, area.bottom + 10);
  // The tools in two rows of four; the picked colour takes the eighth place.
  const std::span<const ToolButton> tools = ToolButtons();
  for (size_t i = 0; i < tools.size(); ++i)
    add(tools[i].command, right + static_cast<int>(i % 4) * pitch,
        kToolRowTop + static_cast<int>(i / 4) * pitch);
  for (const RightRow& row : kRightRows)
    for (size_t i = 0; i < row.commands.size(); ++i)
      if (row.commands[i]) add(*row.commands[i], right + static_cast<int>(i) * pitch, row.top);

  // The picked colour in the eighth place of the tool rows: the eyedropper sets it, a Ctrl+drag
  // carries it to a tool's swatch.
  picked_ = new GUIcolorButton(this);
  picked_->setToolTip("color");
  picked_->setFocusPolicy(Qt::NoFocus);
  picked_->setGeometry(right + 3 * pitch, kToolRowTop + pitch, size, size);
  picked_->SetColour(session_.PickedColour());

  panel_ = new ToolPanel(session_.Tools(), this);
  panel_->setGeometry(right, kPanelTop, 4 * pitch, kPanelHeight);
}

void CTondDlg::BuildSliders() {
  const int right = geometry_.PatternArea().right + 20, width = 4 * Pitch(geometry_);
  tempo_ = new SliderRow("Tempo", kTempoMin, kTempoMax, session_.Tempo(), IntegerSliderText, this);
  volume_ = new SliderRow("Volume", 0, 100, session_.Volume(), IntegerSliderText, this);
  tempo_->setGeometry(right, kTempoTop, width, kSliderHeight);
  volume_->setGeometry(right, kVolumeTop, width, kSliderHeight);
  for (SliderRow* row : {tempo_, volume_}) {
    row->SetLabelWidth(kSliderLabelWidth);
    row->setFocusPolicy(Qt::NoFocus);
    row->Slider()->setFocusPolicy(Qt::NoFocus);
  }
  connect(tempo_, &SliderRow::valueChanged, this, [this](double value) {
    if (!showingTempo_) Apply(session_.SetTempo(value));
  });
  connect(volume_, &SliderRow::valueChanged, this,
          [this](double value) { session_.SetVolume(value); });
}

void CTondDlg::Press(Command command) {
  Apply(session_.Press(command));
  // A button shows pressed only while its state is on, whatever the click did to it.
  ShowTransport();
  ShowTool();
}

void CTondDlg::Apply(const Change& change) {
  if (change.pattern) {
    update(canvas_.DrawPattern(session_));
  } else if (!change.cells.empty()) {
    update(canvas_.DrawCells(session_, change.cells));
  }
  if (change.status) ShowStatus(*change.status);
  if (change.tempo) {
    showingTempo_ = true;
    tempo_->SetValue(session_.Tempo());
    showingTempo_ = false;
  }
  if (change.tool) ShowTool();
  if (change.transport) ShowTransport();
  if (change.marker) update(canvas_.DrawMarker(-1));
  if (change.pickedColour) picked_->SetColour(session_.PickedColour());
  if (change.startSprayTimerMs > 0) sprayTimer_.start(change.startSprayTimerMs);
  if (change.stopSprayTimer) sprayTimer_.stop();
  if (change.editCell) Apply(EditCell(*change.editCell));
  if (change.open != Window::kNone) Apply(OpenWindow(change.open));
}

void CTondDlg::ShowStatus(const std::string& text) {
  // Every move over the window sets the status line; most leave it as it was.
  if (text == status_) return;
  status_ = text;
  update(canvas_.DrawStatus(QString::fromStdString(text), font_));
}

void CTondDlg::ShowTool() {
  const std::uint32_t tool = session_.Edit().currentTool;
  for (const ToolButton& slot : ToolButtons())
    for (auto& [command, button] : buttons_)
      if (command == slot.command) button->setChecked(slot.tool == tool);
  panel_->Show(tool);
  const QPoint pointer = mapFromGlobal(QCursor::pos());
  cursorTool_ = 0;  // shown again for the new tool
  ShowCursor(pointer.x(), pointer.y());
}

void CTondDlg::ShowTransport() {
  for (auto& [command, button] : buttons_) {
    if (command == Command::kPlay) button->setChecked(session_.Playing());
    if (command == Command::kRecord) button->setChecked(session_.Recording());
    if (command == Command::kGrid) button->setChecked(session_.GridShown());
  }
  if (session_.Playing() && !markerTimer_.isActive()) markerTimer_.start(kMarkerPeriodMs);
}

// The tool's cursor over the pattern area (the hand's showing its mode), the arrow elsewhere.
void CTondDlg::ShowCursor(int px, int py) {
  const bool over = geometry_.OverPattern(px, py);
  const std::uint32_t tool = over ? session_.Edit().currentTool : 0;
  const int mode = static_cast<int>(session_.Stroke().handMode);
  if (tool == cursorTool_ && (tool != kHand || mode == cursorMode_)) return;
  cursorTool_ = tool;
  cursorMode_ = mode;
  if (tool == 0)
    unsetCursor();
  else
    setCursor(ToolCursor(tool, session_.Stroke().handMode));
}

// Polled only while playing: the tick that finds playback stopped takes the marker away and is
// the last.
void CTondDlg::PollMarker() {
  const bool playing = session_.Playing();
  const int column = playing ? session_.GetEngine().PlayColumn() : -1;
  if (column != canvas_.MarkerColumn()) update(canvas_.DrawMarker(column));
  if (!playing) markerTimer_.stop();
}

void CTondDlg::Closing() {
  if (closed_) return;
  closed_ = true;
  if (session_.Playing()) session_.Run(Command::kPlay);  // stops
  CloseMidiInput();
  loadTimer_.stop();
  markerTimer_.stop();
  sprayTimer_.stop();
  if (session_.Recording()) session_.Run(Command::kRecord);  // finishes the file
}

// --- Events -----------------------------------------------------------------------------------

void CTondDlg::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  for (const QRect& rect : event->region()) painter.drawImage(rect, canvas_.Image(), rect);
  if (!painted_) {
    painted_ = true;
    emit firstPainted();
  }
}

void CTondDlg::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  if (event->button() == Qt::LeftButton) {
    const Qt::KeyboardModifiers mods = event->modifiers();
    Apply(session_.LeftDown(
        p.x(), p.y(), {mods.testFlag(Qt::ControlModifier), mods.testFlag(Qt::ShiftModifier)}));
  } else if (event->button() == Qt::RightButton) {
    Apply(session_.RightDown(p.x(), p.y()));
  }
  ShowCursor(p.x(), p.y());
}

void CTondDlg::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  Apply(session_.Move(p.x(), p.y(), event->buttons().testFlag(Qt::LeftButton),
                      event->buttons().testFlag(Qt::RightButton)));
  ShowCursor(p.x(), p.y());
}

void CTondDlg::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  Apply(session_.LeftUp(p.x(), p.y()));
}

void CTondDlg::wheelEvent(QWheelEvent* event) {
  const int delta = event->angleDelta().y();
  if (delta != 0) Apply(session_.Wheel(delta));
}

void CTondDlg::keyPressEvent(QKeyEvent* event) {
  if (const std::optional<KeyPress> key = KeyOf(*event)) {
    const QPoint pointer = mapFromGlobal(QCursor::pos());
    if (std::optional<Change> change = session_.Key(*key, pointer.x(), pointer.y())) {
      Apply(*change);
      return;
    }
  }
  QWidget::keyPressEvent(event);
}

void CTondDlg::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CTondDlg::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths;
  for (const QUrl& url : event->mimeData()->urls())
    paths.push_back(url.toLocalFile().toStdString());
  event->acceptProposedAction();
  // Handled once the drop is over, so that the program the files came from is not kept waiting
  // on a question or a message.
  QTimer::singleShot(0, this, [this, paths] { Apply(session_.Drop(paths)); });
}

void CTondDlg::closeEvent(QCloseEvent* event) {
  if (!closed_ && !session_.ConfirmClose()) {
    event->ignore();
    return;
  }
  Closing();
  event->accept();
}

}  // namespace tond
