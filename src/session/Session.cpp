#include "session/Session.h"

#include <algorithm>

#include "base/Paths.h"
#include "base/SafeFile.h"
#include "base/Tempo.h"
#include "edit/Clipboard.h"
#include "edit/HandTool.h"
#include "edit/Transforms.h"
#include "engine/Engine.h"
#include "engine/Export.h"
#include "engine/Recorder.h"
#include "files/MidiExport.h"
#include "files/PatternFile.h"
#include "files/ProjectFile.h"
#include "model/Project.h"
#include "model/UndoSystem.h"
#include "session/MidiControl.h"

namespace tond {

Change& Change::operator|=(const Change& o) {
  pattern = pattern || o.pattern;
  cells.insert(cells.end(), o.cells.begin(), o.cells.end());
  tempo = tempo || o.tempo;
  tool = tool || o.tool;
  transport = transport || o.transport;
  marker = marker || o.marker;
  pickedColour = pickedColour || o.pickedColour;
  kit = kit || o.kit;
  if (o.status) status = o.status;
  if (o.open != Window::kNone) open = o.open;
  if (o.editCell) editCell = o.editCell;
  if (o.startSprayTimerMs > 0) startSprayTimerMs = o.startSprayTimerMs;
  stopSprayTimer = stopSprayTimer || o.stopSprayTimer;
  refused = refused || o.refused;
  return *this;
}

namespace {

// The text after the last "." of the file's name; nothing for a name without one.
std::optional<std::string> Extension(const std::string& path) {
  const std::string name = FileNameOf(path);
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos) return std::nullopt;
  return name.substr(dot + 1);
}

}  // namespace

Session::Session(Platform& platform, Settings& settings, Folders& folders)
    : platform_(platform),
      settings_(settings),
      folders_(folders),
      project_(std::make_unique<Project>()),
      engine_(std::make_unique<Engine>(project_->working, project_->kit)),
      undo_(std::make_unique<UndoSystem>()) {
  project_->NewProject(*undo_);
  undo_->Init(&project_->working);
  engine_->SetTempo(tempo_);
  engine_->SetVolume(static_cast<float>(volume_ / 100.0));
  engine_->SetInterpolation(settings_.interpolation);
  edit_.currentTool = kPencil;
}

Session::~Session() = default;

bool Session::Playing() const {
  return engine_->playing.load(std::memory_order_relaxed);
}

bool Session::Recording() const {
  return recorder_ != nullptr && recorder_->IsRecording();
}

// --- Commands --------------------------------------------------------------------------------

Change Session::Press(Command command) {
  Change change = CommitPaste();
  change |= Run(command);
  return change;
}

std::optional<Change> Session::Key(const KeyPress& key, int px, int py) {
  const std::optional<KeyBinding> binding = BindingFor(key);
  if (!binding) return std::nullopt;
  Change change;
  if (binding->commit) change = CommitPaste();
  change |= Run(binding->command, binding->argument, px, py);
  return change;
}

Change Session::CommitPaste() {
  return Edited(tond::CommitPaste(*project_, edit_, *undo_));
}

Change Session::Run(Command command, int argument, int px, int py) {
  switch (command) {
    case Command::kNew:
      return NewProject();
    case Command::kLoad:
      return LoadProject();
    case Command::kSave:
      SaveProject();
      return {};
    case Command::kClear:
      return Clear();
    case Command::kLoadPattern: {
      auto path = platform_.OpenFile({dialogs::kPatternFilter, "*.pat", folders_.patterns});
      return path ? LoadPatternFile(*path) : Change();
    }
    case Command::kSavePattern: {
      if (auto path = platform_.SaveFile({dialogs::kPatternFilter, "*.pat", folders_.patterns}))
        SavePatternFile(*path);
      return {};
    }
    case Command::kImport:
      return Import();
    case Command::kExport:
      return ExportWave();
    case Command::kExportMidi:
      return ExportMidi();
    case Command::kPlay:
      return TogglePlay();
    case Command::kRecord:
      return ToggleRecord();
    case Command::kKits: {
      Change change = StopPlayback();
      engine_->Reset();
      change.open = Window::kKitEditor;
      return change;
    }
    case Command::kPatterns:
      // The thumbnails show the working grid too.
      project_->CommitCurrent(tempo_);
      return Open(Window::kPatterns);
    case Command::kSettings:
      return Open(Window::kSettings);
    case Command::kAbout:
      return Open(Window::kAbout);
    case Command::kGrid:
      grid_ = !grid_;
      return Change::PatternArea(true);
    case Command::kMutate:
      return OpenMutation(MutationEdit::ClockSeed());
    case Command::kMap:
      return OpenCurves();
    case Command::kColors:
      return OpenOffset();
    case Command::kFilter:
      return Open(Window::kFilter);
    case Command::kRnd:
      return Open(Window::kRandom);
    case Command::kRevX:
      return Edited(ReverseX(*project_, *undo_));
    case Command::kRevY:
      return Edited(ReverseY(*project_, *undo_));
    case Command::kRotate:
      return Edited(RotateQuarter(*project_, -1, *undo_));
    case Command::kRotate2:
      return Edited(RotateQuarter(*project_, 1, *undo_));
    case Command::kCopy:
      return Change::PatternArea(CopySelection(*project_, edit_));
    case Command::kCut:
      return Edited(CutSelection(*project_, edit_, *undo_));
    case Command::kPaste:
    case Command::kMix: {
      Change change = Change::PatternArea(BeginPaste(edit_, command == Command::kMix));
      change.tool = change.pattern;
      return change;
    }
    case Command::kLineH:
      return Edited(ShuffleRows(*project_, random_, *undo_));
    case Command::kLineV:
      return Edited(ShuffleColumns(*project_, random_, *undo_));
    case Command::kCells:
      return Edited(ShuffleCells(*project_, random_, *undo_));
    case Command::kUndo:
      if (!undo_->CanUndo()) return {};
      undo_->Undo();
      return Edited(true);
    case Command::kRedo:
      if (!undo_->CanRedo()) return {};
      undo_->Redo();
      return Edited(true);
    case Command::kPencil:
    case Command::kEraser:
    case Command::kLine:
    case Command::kAero:
    case Command::kHand:
    case Command::kSelector:
    case Command::kEyeDropper:
      return RunTool(ToolFor(command));
    case Command::kAudition:
      return Audition(px, py);
    case Command::kOffsetRed:
      return OffsetColours(argument, 0, 0);
    case Command::kOffsetGreen:
      return OffsetColours(0, argument, 0);
    case Command::kOffsetBlue:
      return OffsetColours(0, 0, argument);
    case Command::kMoveColumns:
      return Edited(OffsetPattern(*project_, argument, 0, undo_.get()));
    case Command::kMoveRows:
      return Edited(OffsetPattern(*project_, 0, argument, undo_.get()));
    case Command::kEscape:
      return Escape();
    case Command::kSelectPattern:
      return SelectPattern(argument);
  }
  return {};
}

Change Session::Open(Window window) {
  Change change;
  change.open = window;
  return change;
}

Change Session::Edited(bool ran) {
  if (ran) {
    modified_ = true;
    KeepDragOnTop();
  }
  return Change::PatternArea(ran);
}

void Session::KeepDragOnTop() {
  if (stroke_.dragging)
    RebaseHandDrag(project_->working, stroke_.handMode, stroke_.handStart, stroke_.handCell,
                   stroke_.handCopy);
}

Change Session::RunTool(Tool tool) {
  ToolContext context = Context();
  const std::uint32_t before = edit_.currentTool;
  Change change = Finish(SelectTool(context, tool));
  change.tool = edit_.currentTool != before;
  return change;
}

Change Session::Escape() {
  if (edit_.currentTool == kFloatingPaste || edit_.currentTool == kFloatingMix) {
    Change change = Change::PatternArea(CancelPaste(edit_));
    change.tool = true;
    return change;
  }
  if (edit_.currentTool == kSelector && !edit_.selection.Empty()) {
    edit_.selection.Clear();
    return Change::PatternArea(true);
  }
  return {};
}

Change Session::Audition(int px, int py) {
  CellPoint cell;
  if (!geometry_.CellAt(px, py, cell)) return {};
  const std::string& path = project_->kit[cell.y].samplePath;
  if (path != kNotUsed) platform_.PlaySound(path);
  return {};
}

// --- Questions ------------------------------------------------------------------------------

bool Session::AskToSaveChanges() {
  if (!modified_ || !settings_.confirmationMessages) return true;
  switch (platform_.AskToSave(kUnsavedQuestion)) {
    case SaveAnswer::kDiscard:
      return true;
    case SaveAnswer::kCancel:
      return false;
    case SaveAnswer::kSave:
      break;
  }
  return SaveProject();
}

bool Session::ConfirmClose() {
  return AskToSaveChanges();
}

// --- Project and pattern files ------------------------------------------------------------

Change Session::NewProject() {
  // Unsaved changes get the save question instead of the New question.
  if (settings_.confirmationMessages &&
      !(modified_ ? AskToSaveChanges() : platform_.Confirm(kNewQuestion)))
    return {};
  project_->NewProject(*undo_);
  edit_.buffer.Clear();
  ToolContext context = Context();
  Change change = Finish(ResetStrokes(context));
  change |= ShowTempo(kDefaultTempo);
  change |= RunTool(kPencil);
  change.pattern = true;
  change.tool = true;
  modified_ = false;
  return change;
}

Change Session::Clear() {
  if (settings_.confirmationMessages && !platform_.Confirm(kClearQuestion)) return {};
  project_->ClearPattern(*undo_);
  return Edited(true);
}

Change Session::LoadProject() {
  if (!AskToSaveChanges()) return {};
  auto path = platform_.OpenFile({dialogs::kProjectFilter, "*.blp", folders_.projects});
  return path ? LoadProjectFile(*path) : Change();
}

Change Session::LoadProjectFile(const std::string& path) {
  BusyCursor busy(platform_);
  Change change = ReleaseSamples();  // the kit's samples are replaced
  std::optional<double> tempo =
      tond::LoadProject(path, *project_, *undo_, platform_, folders_.Samples());
  if (!tempo) return Change::Refused(change);
  change |= ShowTempo(*tempo);
  change.pattern = true;
  change.kit = true;
  modified_ = false;
  return change;
}

bool Session::SaveProject() {
  auto path = platform_.SaveFile({dialogs::kProjectFilter, "*.blp", folders_.projects});
  return path && SaveProjectFile(*path);
}

bool Session::SaveProjectFile(const std::string& path) {
  if (!tond::SaveProject(path, *project_, tempo_, platform_)) return false;
  modified_ = false;
  return true;
}

bool Session::SaveRecovery(const std::string& path) {
  project_->CommitCurrent(tempo_);
  std::optional<std::vector<std::uint8_t>> bytes = EncodeProjectFile(*project_);
  return bytes && WriteFileSafely(path, bytes->data(), bytes->size());
}

Change Session::LoadPatternFile(const std::string& path) {
  BusyCursor busy(platform_);
  std::optional<std::uint32_t> stored = tond::LoadPattern(path, *project_, *undo_, platform_);
  if (!stored) return Change::Refused({});
  modified_ = true;
  Change change = ShowTempo(TempoControlFor(*stored));
  change.pattern = true;
  return change;
}

bool Session::SavePatternFile(const std::string& path) {
  return tond::SavePattern(path, *project_, tempo_, platform_);
}

Change Session::LoadKitFile(const std::string& path) {
  BusyCursor busy(platform_);
  Change change = ReleaseSamples();
  int error = 0;
  if (!project_->kit.Load(path, &platform_, nullptr, &error, folders_.Samples())) {
    platform_.Failure(FormatMessage(kLoadError, path), SystemReason(error));
    return Change::Refused(change);
  }
  change.kit = true;
  modified_ = true;
  return change;
}

Change Session::LoadStartKit(const std::string& path) {
  const bool modified = modified_;
  Change change = LoadKitFile(path);
  modified_ = modified;
  return change;
}

Change Session::Drop(const std::vector<std::string>& paths) {
  if (paths.empty()) return {};
  const std::string& path = paths.front();
  const std::optional<std::string> extension = Extension(path);
  if (!extension) return {};
  if (*extension == "pat") return LoadPatternFile(path);
  if (*extension == "blp") return AskToSaveChanges() ? LoadProjectFile(path) : Change();
  if (*extension == "kit") return LoadKitFile(path);
  platform_.Message(kDropRefused);
  return {};
}

std::optional<std::string> Session::Remembered(std::string& location, bool save, const char* filter,
                                               const char* extension) {
  const FileDialog dialog{filter, extension, location};
  std::optional<std::string> path = save ? platform_.SaveFile(dialog) : platform_.OpenFile(dialog);
  if (path) location = *path;
  return path;
}

Change Session::Import() {
  auto path = Remembered(folders_.pictures, false, dialogs::kPictureFilter, "*.jpg");
  return path ? ImportPictureFile(*path) : Change();
}

Change Session::ImportPictureFile(const std::string& path) {
  BusyCursor busy(platform_);
  std::optional<Pattern> cells = platform_.ReadPicture(path);
  if (!cells) {
    // Nothing would show why the pattern stayed as it was.
    platform_.Message(FormatMessage(kPictureReadError, path));
    return Change::Refused({});
  }
  project_->working.CopyFrom(*cells);
  undo_->Push();
  return Edited(true);
}

Change Session::ExportWave() {
  Change change = StopPlayback();
  engine_->Reset();
  if (auto path = Remembered(folders_.waves, true, dialogs::kWaveFilter, "*.wav"))
    ExportWaveFile(*path);
  return change;
}

bool Session::ExportWaveFile(const std::string& path) {
  BusyCursor busy(platform_);
  int error = 0;
  if (tond::ExportWave(*engine_, path, &error)) return true;
  platform_.Failure(FormatMessage(kSaveError, path), SystemReason(error));
  return false;
}

Change Session::ExportMidi() {
  // Stopped before the dialog, also when it is cancelled.
  Change change = ReleaseSamples();
  if (auto path = Remembered(folders_.midi, true, dialogs::kMidiFilter, "*.mid"))
    ExportMidiFile(*path);
  return change;
}

bool Session::ExportMidiFile(const std::string& path) {
  BusyCursor busy(platform_);
  return tond::ExportMidi(path, *project_, tempo_, platform_);
}

// --- Transport -------------------------------------------------------------------------------

Change Session::ReleaseSamples() {
  Change change = StopPlayback();
  engine_->Quiesce();
  return change;
}

Change Session::StopPlayback() {
  Change change;
  if (!Playing()) return change;
  engine_->playing = false;
  change.transport = true;
  change.marker = true;
  return change;
}

Change Session::TogglePlay() {
  if (Playing()) return StopPlayback();
  engine_->Reset();
  engine_->playing = true;
  Change change;
  change.transport = true;
  return change;
}

Change Session::ToggleRecord() {
  Change change;
  change.transport = true;
  if (Recording()) {
    recorder_->Stop();
  } else if (recorder_ != nullptr) {
    recorder_->Start(folders_.output, &platform_);
  }
  return change;
}

// --- Patterns --------------------------------------------------------------------------------

Change Session::SelectPattern(int slot) {
  if (slot < 0 || slot >= Project::kPatterns) return {};
  if (live_ || cellEdit_) {
    heldSlot_ = slot;
    return {};
  }
  return ApplySelect(slot);
}

Change Session::ApplySelect(int slot) {
  if (!project_->SelectPattern(slot, tempo_, *undo_)) return {};
  edit_.selection.Clear();
  KeepDragOnTop();
  Change change = ShowTempo(TempoControlFor(project_->Tempo(slot)));
  change.pattern = true;
  return change;
}

Change Session::CloseModalEdit() {
  if (!heldSlot_) return {};
  const int slot = *heldSlot_;
  heldSlot_.reset();
  return ApplySelect(slot);
}

// --- Tools -------------------------------------------------------------------------------------

ToolContext Session::Context() {
  return {*project_, edit_, *undo_, random_, stroke_, tools_, geometry_};
}

Change Session::Finish(ToolResponse response) {
  Change change;
  change.pattern = response.redrawPattern;
  change.cells = std::move(response.redrawCells);
  change.editCell = response.editCell;
  change.startSprayTimerMs = response.startSprayTimerMs;
  change.stopSprayTimer = response.stopSprayTimer;
  change.pickedColour = response.pickedColourChanged;
  change.status = std::move(response.status);
  // Every stroke that changes cells pushes when it ends.
  if (!change.cells.empty() || response.pushed) modified_ = true;
  return change;
}

Change Session::LeftDown(int px, int py, Modifiers keys) {
  ToolContext context = Context();
  Change change = Finish(OnLeftDown(context, px, py, keys));
  if (change.editCell) cellEdit_ = change.editCell;
  return change;
}

Change Session::Move(int px, int py, bool leftHeld, bool rightHeld) {
  ToolContext context = Context();
  return Finish(OnMove(context, px, py, leftHeld, rightHeld));
}

Change Session::LeftUp(int px, int py) {
  ToolContext context = Context();
  return Finish(OnLeftUp(context, px, py));
}

Change Session::RightDown(int px, int py) {
  ToolContext context = Context();
  return Finish(OnRightDown(context, px, py));
}

Change Session::SprayTick() {
  ToolContext context = Context();
  return Finish(OnSprayTick(context));
}

Change Session::CloseCellEditor(Cell colour) {
  engine_->StopPreview();
  Change change;
  if (cellEdit_) {
    ToolContext context = Context();
    change = Finish(ApplyCellEdit(context, *cellEdit_, colour));
    cellEdit_.reset();
  }
  change |= CloseModalEdit();
  return change;
}

void Session::Preview(int slot, Cell colour) {
  engine_->PlayPreview(slot, colour);
}

void Session::StopPreview() {
  engine_->StopPreview();
}

// --- Controls ------------------------------------------------------------------------------

Change Session::SetTempo(double value) {
  const double before = tempo_;
  Change change = ShowTempo(value);
  if (tempo_ != before) modified_ = true;
  return change;
}

Change Session::ShowTempo(double value) {
  tempo_ = std::clamp<double>(value, kTempoMin, kTempoMax);
  engine_->SetTempo(tempo_);
  Change change;
  change.tempo = true;
  return change;
}

Change Session::Wheel(int delta) {
  const int slot = project_->Current();
  // Kept within the control's range: a stored tempo of 0, or one that wrapped below it,
  // would be written into the files.
  const long long stored = static_cast<long long>(project_->Tempo(slot)) - delta / 120;
  const auto kept = static_cast<std::uint32_t>(std::clamp<long long>(stored, kTempoMin, kTempoMax));
  if (kept != project_->Tempo(slot) || kept != tempo_) modified_ = true;
  project_->SetTempo(slot, kept);
  return ShowTempo(kept);
}

void Session::SetVolume(double value) {
  volume_ = std::clamp(value, 0.0, 100.0);
  engine_->SetVolume(static_cast<float>(volume_ / 100.0));
}

void Session::SetInterpolation(std::uint8_t mode) {
  settings_.interpolation = mode;
  engine_->SetInterpolation(mode);
}

// --- The controller's edits ----------------------------------------------------------------

Change Session::ShiftPattern(int dx, int dy) {
  return Edited(OffsetPattern(*project_, dx, dy, nullptr));
}

Change Session::RotatePattern(int quarters) {
  return Edited(RotateQuarter(*project_, quarters, *undo_));
}

Change Session::OffsetColours(int dr, int dg, int db) {
  return Edited(tond::OffsetColours(*project_, static_cast<std::int16_t>(dr),
                                    static_cast<std::int16_t>(dg), static_cast<std::int16_t>(db),
                                    *undo_));
}

// --- MIDI ------------------------------------------------------------------------------------

MidiControl& Session::Midi() {
  if (!midi_) midi_ = std::make_unique<MidiControl>(settings_);
  return *midi_;
}

Change Session::ApplyMidiMessages(std::span<const std::uint32_t> words) {
  return Midi().Apply(*this, words);
}

// --- Song render -------------------------------------------------------------------------------

std::vector<float> Session::RenderSong(const std::vector<SongPass>& passes) {
  StopPlayback();
  return tond::RenderSong(*engine_, project_->working, passes);
}

// --- Recording failure -------------------------------------------------------------------------

bool Session::RecordingFailed() const {
  return Recording() && recorder_->WriteError() != 0;
}

Change Session::CheckRecording() {
  return RecordingFailed() ? ToggleRecord() : Change();
}

}  // namespace tond
