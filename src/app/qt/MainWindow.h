#pragma once
// The main window: the pattern area with the play marker and the status line, the buttons of
// the command table, the tool buttons with the current tool's option panel and the picked
// colour, and the tempo and volume sliders. It is wiring only: every button, key, mouse event,
// wheel turn, dropped file and timer tick goes to the session, and the window repaints what the
// returned Change names and opens the window it asks for.
#include <QFont>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/qt/PatternCanvas.h"
#include "session/Session.h"

namespace tond {

class AudioStream;
class GUIcolorButton;
class MidiInput;
class PictureButton;
class SliderRow;
class ToolPanel;

// The cell size for the primary screen's width.
CellGeometry ScreenGeometry();

class CTondDlg : public QWidget {
  Q_OBJECT

 public:
  // Built on the session's geometry (set it first, from ScreenGeometry()). `stream` gives the
  // processor load of the title; null: none (the title shows 0).
  CTondDlg(Session& session, Settings& settings, AudioStream* stream, QWidget* parent = nullptr);
  ~CTondDlg() override;

  // Repaints what the change names, then opens the window it asks for.
  void Apply(const Change& change);
  // The status line, for what start-up has to say.
  void ShowStatus(const std::string& text);
  // The closing order: playback off, the MIDI input closed, the timers stopped, a recording
  // finished. Closing the window runs it once the user has been asked about unsaved changes; a
  // signal runs it without asking. Runs once.
  void Closing();

 signals:
  void firstPainted();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildButtons();
  void BuildSliders();
  void Press(Command command);
  void ShowTool();
  void ShowTransport();
  void ShowCursor(int px, int py);
  void PollMarker();

  // OpenWindows.cpp: the windows a change opens, and the MIDI input's hooks.
  Change OpenWindow(Window window);
  Change EditCell(CellPoint cell);
  void OpenMidiInput();
  void CloseMidiInput();

  Session& session_;
  Settings& settings_;
  AudioStream* stream_;
  CellGeometry geometry_;
  PatternCanvas canvas_;
  QFont font_;
  std::vector<std::pair<Command, PictureButton*>> buttons_;
  GUIcolorButton* picked_ = nullptr;
  ToolPanel* panel_ = nullptr;
  SliderRow* tempo_ = nullptr;
  SliderRow* volume_ = nullptr;
  bool showingTempo_ = false;
  std::string status_;
  std::unique_ptr<MidiInput> midi_;
  QTimer loadTimer_;
  QTimer markerTimer_;
  QTimer sprayTimer_;
  std::uint32_t cursorTool_ = 0;  // the tool whose cursor shows; 0: the arrow
  int cursorMode_ = -1;
  bool painted_ = false;
  bool closed_ = false;
};

}  // namespace tond
