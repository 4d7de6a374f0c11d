#pragma once
// The editing session of one main window: the project with its working grid, the engine that
// plays it, the undo history, the selection, stroke and tool state, the random source, the
// random-fill and filter settings, the tempo and volume controls, and the tool window that
// edits the grid live. Every user command is one call here, on the window thread: buttons,
// keys, mouse events, dropped files, the sliders and the wheel, and the MIDI controller's
// operations (handed over to the window thread first). Each call returns a Change that says
// what to repaint, so the window stays wiring and a test can check a command without one.
//
// Rules kept here rather than in every caller:
// - a floating paste is committed before every button and before the keys the table marks;
// - playback is stopped and the engine quiesced before anything that changes sample memory
//   (loading a project or a kit) and before the exports;
// - a pattern switch that arrives while a tool window edits the grid (Mutate, Map, Colors, the
//   cell colour editor) is held until that window closes, so a cancel never writes one
//   pattern's copy into another;
// - nothing is lost without a question: with confirmations on, New, Load, a dropped project
//   and closing ask to save unsaved changes first.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/Rect.h"
#include "base/Tempo.h"
#include "edit/CellGeometry.h"
#include "edit/ColourCurves.h"
#include "edit/ColourOffset.h"
#include "edit/DrawingTools.h"
#include "edit/EditState.h"
#include "edit/Filters.h"
#include "edit/Mutation.h"
#include "edit/Random.h"
#include "edit/RandomFill.h"
#include "edit/ToolSettings.h"
#include "kit/KitBuilder.h"
#include "session/Commands.h"
#include "session/Platform.h"
#include "session/Settings.h"

namespace tond {

class Engine;
class MidiControl;
struct SongPass;
class Project;
class Recorder;
class UndoSystem;

// The windows a command opens once the session has done its part.
enum class Window {
  kNone,
  kSettings,
  kAbout,
  kKitEditor,
  kPatterns,
  kMutate,  // the live edit is open: Mutation()
  kMap,     // Curves()
  kColors,  // Offset()
  kFilter,
  kRandom,
};

// What a call changed, for the window to repaint only that.
struct Change {
  bool pattern = false;               // the whole pattern area
  std::vector<CellPoint> cells;       // or only these cells
  bool tempo = false;                 // the tempo control shows Tempo()
  bool tool = false;                  // the current tool: its button, option panel and cursor
  bool transport = false;             // Play and Record show Playing() and Recording()
  bool marker = false;                // playback stopped: the marker strip is redrawn empty
  bool pickedColour = false;          // the "color" swatch shows PickedColour()
  bool kit = false;                   // the kit's instruments changed
  std::optional<std::string> status;  // the new status line
  Window open = Window::kNone;        // the window to show now
  std::optional<CellPoint> editCell;  // the cell colour editor opens on this cell
  int startSprayTimerMs = 0;          // > 0: start the airbrush timer with this period
  bool stopSprayTimer = false;
  bool refused = false;  // a file was refused; its message has been shown

  // The whole pattern area when `ran`, else nothing.
  static Change PatternArea(bool ran) {
    Change change;
    change.pattern = ran;
    return change;
  }
  // `change`, marked as a refused file.
  static Change Refused(Change change) {
    change.refused = true;
    return change;
  }

  // Adds what `other` changed.
  Change& operator|=(const Change& other);
};

// The dialogs of the main window's file commands.
namespace dialogs {
inline constexpr const char* kProjectFilter = "Tond files (*.blp)|*.blp|All files (*.*)|*.*|";
inline constexpr const char* kPatternFilter = "Pattern files (*.pat)|*.pat|All files (*.*)|*.*|";
inline constexpr const char* kWaveFilter = "Wave files (*.wav)|*.wav|All files (*.*)|*.*|";
inline constexpr const char* kMidiFilter = "MIDI files (*.mid)|*.mid|All files (*.*)|*.*|";
inline constexpr const char* kKitFilter = "Tond kits (*.kit)|*.kit|All files (*.*)|*.*|";
inline constexpr const char* kPictureFilter =
    "JPEG files [*.jpg]|*.jpg|GIF files [*.gif]|*.gif|Windows BMP files [.bmp]|*.bmp|"
    "All files [*.*]|*.*|";
}  // namespace dialogs

inline constexpr const char* kNewQuestion =
    "This will erase all the patterns. Do you want to continue?";
inline constexpr const char* kClearQuestion = "Are you sure you want to clear this pattern?";
inline constexpr const char* kUnsavedQuestion =
    "The project has changes that are not saved.\nDo you want to save them first?";
inline constexpr const char* kDropRefused =
    "Tond does not allow this type of file to be dropped on its main window.";
inline constexpr const char* kNoFilterFound =
    "No filter file has been found in this folder, or they were not in the right format!";
inline constexpr const char* kPictureReadError =
    "Error: unable to read the file as a picture:\n %s";

class Session {
 public:
  static constexpr double kDefaultVolume = 80;  // where the volume control starts

  // The settings and folders belong to the application and outlive the session; so does the
  // platform. The session builds its project and engine, loads nothing, and starts with the
  // pencil, the tempo at 120 and the volume at 80.
  Session(Platform& platform, Settings& settings, Folders& folders);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // --- What the window shows -----------------------------------------------------------
  const Project& GetProject() const { return *project_; }
  // The engine plays the working grid for the whole life of the session; the audio stream
  // calls its Process().
  Engine& GetEngine() { return *engine_; }
  const UndoSystem& History() const { return *undo_; }
  const EditState& Edit() const { return edit_; }
  const StrokeState& Stroke() const { return stroke_; }
  ToolSettings& Tools() { return tools_; }
  const CellGeometry& Geometry() const { return geometry_; }
  void SetGeometry(const CellGeometry& geometry) { geometry_ = geometry; }
  double Tempo() const { return tempo_; }
  double Volume() const { return volume_; }
  bool Playing() const;
  bool Recording() const;
  bool GridShown() const { return grid_; }
  Cell PickedColour() const { return stroke_.pickedColour; }
  // The project differs from what was last loaded or saved.
  bool Modified() const { return modified_; }
  RandomSource& Random() { return random_; }
  const RandomSettings& RandomFillSettings() const { return randomSettings_; }
  const FilterSettings& Filters() const { return filterSettings_; }
  Platform& GetPlatform() { return platform_; }

  // The recorder of the audio stream, once it is open; null (no stream): Record does nothing.
  void SetRecorder(Recorder* recorder) { recorder_ = recorder; }

  // --- Commands ----------------------------------------------------------------------------
  // A button of the main window: commits a floating paste, then runs the command.
  Change Press(Command command);
  // A key: its binding in the key table (committing first where the table says so). `px`,
  // `py` is the pointer in window pixels, for the audition key. Nothing for a key the table
  // does not list.
  std::optional<Change> Key(const KeyPress& key, int px, int py);
  // The command alone, without the commit.
  Change Run(Command command, int argument = 0, int px = -1, int py = -1);

  // --- Files with a known path ---------------------------------------------------------------
  // A file dropped on the window, or named on the command line: only the first is used, by
  // its extension ("pat", "blp", "kit", compared exactly); anything else is refused with a
  // message.
  Change Drop(const std::vector<std::string>& paths);
  Change LoadProjectFile(const std::string& path);
  bool SaveProjectFile(const std::string& path);
  Change LoadPatternFile(const std::string& path);
  bool SavePatternFile(const std::string& path);
  // Empties no slot first; a kit that cannot be opened shows the load message.
  Change LoadKitFile(const std::string& path);
  // The kit a new main window starts with (the default kit): loaded as LoadKitFile loads it, but
  // it is where the project starts, not a change the user could lose.
  Change LoadStartKit(const std::string& path);
  Change ImportPictureFile(const std::string& path);
  bool ExportWaveFile(const std::string& path);
  bool ExportMidiFile(const std::string& path);

  // --- Patterns -----------------------------------------------------------------------------
  // Keypad, MIDI program change, the patterns window. Held while a live edit is open.
  Change SelectPattern(int slot);

  // --- Mouse and timer over the pattern area (window pixels) ----------------------------------
  Change LeftDown(int px, int py, Modifiers keys);
  Change Move(int px, int py, bool leftHeld, bool rightHeld);
  Change LeftUp(int px, int py);
  Change RightDown(int px, int py);
  Change SprayTick();
  // The cell colour editor that LeftDown opened has closed holding `colour`.
  Change CloseCellEditor(Cell colour);
  // The editor's swatches: the row's sample with a colour, through the engine's preview voice.
  void Preview(int slot, Cell colour);
  void StopPreview();

  // --- Controls -----------------------------------------------------------------------------
  // The tempo slider (and the MIDI tempo controller): kept to 1..350.
  Change SetTempo(double value);
  // The wheel changes the stored tempo of the current pattern by -(delta / 120) and sets the
  // control to it.
  Change Wheel(int delta);
  void SetVolume(double value);
  void SetInterpolation(std::uint8_t mode);

  // --- What the MIDI controller does (no commit, as the controller is no command) ----------
  // The controller's state for the whole run: its last values and MIDI learn.
  MidiControl& Midi();
  // A burst of packed messages (see MidiControl), handed over to the window thread.
  Change ApplyMidiMessages(std::span<const std::uint32_t> words);
  Change ShiftPattern(int dx, int dy);           // no undo push
  Change RotatePattern(int quarters);            // pushes
  Change OffsetColours(int dr, int dg, int db);  // pushes when any amount is not 0

  // --- Tool windows -----------------------------------------------------------------------
  // Mutate, Map and Colors edit the grid live from the copy taken when they open.
  Change SetMutationAmount(int channel, int amount);
  Change NewMutation();
  Change SetCurveAmount(int channel, int amount);
  Change SetCurveInvert(int channel, bool invert);
  Change SetColourOffset(int channel, int offset);
  const MutationEdit* Mutation() const;
  const ColourCurvesEdit* Curves() const;
  const ColourOffsetEdit* Offset() const;
  // "Ok" pushes one state; any other close restores the grid exactly and pushes nothing. Then
  // a pattern switch held meanwhile happens.
  Change AcceptLiveEdit();
  Change CancelLiveEdit();
  // "Ok" of the random window: keeps the settings for the run and paints.
  Change AcceptRandomFill(const RandomSettings& settings);
  // "Ok" of the filters window: keeps the choice and applies the chosen filter (its cells;
  // null when none is chosen).
  Change AcceptFilter(std::uint32_t destination, std::uint32_t level, std::int16_t selected,
                      const Pattern* cells);
  // The entries of the Filters folder, as full paths in the order the listing gives them; the
  // filters window reads each one as a filter. A folder that cannot be listed or lists nothing
  // shows kNoFilterFound.
  std::vector<std::string> FilterFolderEntries();

  // --- Closing ------------------------------------------------------------------------------
  // Asks to save unsaved changes when confirmations are on; false: the user cancelled (or the
  // save did not happen), keep the window open.
  bool ConfirmClose();
  // Writes the project without asking (a signal ends the program): true when written.
  bool SaveRecovery(const std::string& path);

 private:
  Change CommitPaste();
  Change RunTool(Tool tool);
  ToolContext Context();
  Change Finish(ToolResponse response);
  Change ShowTempo(double value);
  Change StopPlayback();
  // Stops playback and waits until no voice reads a sample.
  Change ReleaseSamples();
  Change ApplySelect(int slot);
  Change CloseModalEdit();
  Change Edited(bool ran);
  // A hand drag going on keeps what changed the grid under it.
  void KeepDragOnTop();
  bool AskToSaveChanges();
  // The project dialog, then the save: false when cancelled or not written.
  bool SaveProject();
  Change Open(Window window);
  Change OpenMutation(std::uint32_t seed);
  Change OpenCurves();
  Change OpenOffset();
  // The open live edit when it is of this kind.
  template <typename Edit>
  Edit* Live() const {
    return dynamic_cast<Edit*>(live_.get());
  }
  std::optional<std::string> Remembered(std::string& location, bool save, const char* filter,
                                        const char* extension);
  Change NewProject();
  Change Clear();
  Change LoadProject();
  Change Import();
  Change ExportWave();
  Change ExportMidi();
  Change TogglePlay();
  Change ToggleRecord();
  Change Audition(int px, int py);
  Change Escape();

  Platform& platform_;
  Settings& settings_;
  Folders& folders_;
  std::unique_ptr<Project> project_;
  std::unique_ptr<Engine> engine_;
  std::unique_ptr<UndoSystem> undo_;
  Recorder* recorder_ = nullptr;
  EditState edit_;
  StrokeState stroke_;
  ToolSettings tools_;
  CellGeometry geometry_;
  RandomSource random_;
  RandomSettings randomSettings_;
  FilterSettings filterSettings_;
  std::unique_ptr<LiveEdit> live_;
  std::unique_ptr<MidiControl> midi_;
  std::optional<CellPoint> cellEdit_;  // the cell colour editor is open on this cell
  std::optional<int> heldSlot_;        // a pattern switch waiting for the tool window
  double tempo_ = kDefaultTempo;
  double volume_ = kDefaultVolume;
  bool grid_ = false;
  bool modified_ = false;

  // --- Kit editor ------------------------------------------------------------------------------
  // The kit editor's commands, once Press(Command::kKits) has opened it. Playback is stopped and
  // the engine quiesced before a slot's sample changes; Change::kit says the list changed and
  // Change::status carries the editor's new status line. The wave dialogs start in the
  // remembered wave location, the kit dialogs in the kit location, and remember the file chosen.
 public:
  enum class KitFlag { kLoop, kFade };
  static constexpr const char* kClearKitQuestion = "Are you sure you want to clear this kit?";
  static constexpr const char* kAudioEditorError =
      "Unable to open the wave file in the external audio editor.";
  static constexpr const char* kFolderTitle = "Choose the folder from which to get the samples.";
  static constexpr const char* kTreeTitle =
      "Choose the root folder from which to get the random samples.";

  // The name column: a wave for the slot, chosen in the dialog.
  Change ChooseKitSample(int slot);
  // The slot takes the file (its sample; none when it cannot be read, with the read message),
  // loop and fade off.
  Change SetKitSample(int slot, const std::string& path);
  // Toggles the slot's flag; with `all`, sets the flag of every slot to the opposite of this
  // slot's.
  Change ToggleKitFlag(int slot, KitFlag flag, bool all);
  // Empties one slot, or all 64 (the key ranges and scales stay).
  Change EmptyKitSlot(int slot);
  Change EmptyKitSlots();
  // Asks "Are you sure you want to clear this kit?" (whatever the confirmation setting).
  Change ClearKit();
  // Load: every slot is emptied, then the kit file is loaded; a file that cannot be opened
  // changes nothing.
  Change LoadKit();
  Change LoadKitIntoEditor(const std::string& path);
  Change SaveKit();
  bool SaveKitFile(const std::string& path);
  // Several waves (the dialog, or dropped files) into the first empty slots, in order; when the
  // slots run out the rest are left with kNotEnoughSlots (refused).
  Change AddKitSamples();
  Change AddKitFiles(const std::vector<std::string>& paths);
  // A new kit from a folder's waves, or from 64 drawn at random in a folder tree (with the shared
  // random source). The scan runs in `runner`; a cancel leaves the kit and the random source as
  // they were.
  Change KitFromFolder(ScanRunner& runner);
  Change KitFromFolderPath(const std::string& folder, ScanRunner& runner);
  Change KitFromRandomFiles(ScanRunner& runner);
  Change KitFromTreePath(const std::string& root, ScanRunner& runner);
  // A new kit of 64 slices of one long wave, written beside it; existing slices are replaced only
  // after the user agrees.
  Change SliceSample();
  Change SliceSampleFile(const std::string& path);
  // Space: the slot's file through the sound player; Enter: in the external audio editor.
  void PlayKitSlot(int slot);
  void StopKitSound();
  bool OpenInAudioEditor(int slot);
  // The "Scale and range" window's choices.
  Change SetKitKeys(int slot, std::uint8_t minkey, std::uint8_t maxkey, std::uint16_t scale);

 private:
  Change KitChanged(std::optional<std::string> status = std::nullopt);
  Change PutBuild(KitBuild& build);

  // --- Song render -----------------------------------------------------------------------------
 public:
  // Stops playback and renders the passes back to back through the engine (see RenderSong);
  // the working grid and tempo stay as they were. Empty when the memory cannot be had.
  std::vector<float> RenderSong(const std::vector<SongPass>& passes);

  // --- Recording failure -----------------------------------------------------------------
 public:
  // A running recording whose file could no longer be written (the recorder's writer found the
  // disk full). Polled on the window thread (a timer of the window, the command line's loop).
  bool RecordingFailed() const;
  // Stops such a recording, which shows its message; Record shows released.
  Change CheckRecording();
};

}  // namespace tond
