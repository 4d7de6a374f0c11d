// The kit editor's commands: every one that changes a sample stops playback and quiesces the
// engine first.
#include "engine/Engine.h"
#include "kit/KitBuilder.h"
#include "kit/WaveReader.h"
#include "model/Project.h"
#include "session/Session.h"

namespace tond {

namespace {

// The kit loader's progress texts; the last one stays in the editor's status line.
class LastText : public KitProgress {
 public:
  void Status(const std::string& text) override { last = text; }
  std::optional<std::string> last;
};

}  // namespace

Change Session::KitChanged(std::optional<std::string> status) {
  modified_ = true;
  Change change;
  change.kit = true;
  change.status = std::move(status);
  return change;
}

Change Session::PutBuild(KitBuild& build) {
  ReleaseSamples();
  ApplyKitBuild(project_->kit, build);
  for (const std::string& text : build.messages) platform_.Message(text);
  return KitChanged(build.status);
}

Change Session::ChooseKitSample(int slot) {
  auto path = Remembered(folders_.waves, false, dialogs::kWaveFilter, "*.wav");
  return path ? SetKitSample(slot, *path) : Change();
}

Change Session::SetKitSample(int slot, const std::string& path) {
  if (slot < 0 || slot >= CKit::kSlots) return {};
  ReleaseSamples();
  const bool read = FillSlot(project_->kit[slot], path, &platform_);
  // Otherwise only a length of 0 in the list would tell.
  if (!read) platform_.Message(FormatMessage(kSampleReadError, path));
  Change change = KitChanged();
  change.refused = !read;
  return change;
}

Change Session::ToggleKitFlag(int slot, KitFlag flag, bool all) {
  if (slot < 0 || slot >= CKit::kSlots) return {};
  auto field = [flag](CInstrument& in) -> bool& {
    return flag == KitFlag::kLoop ? in.loop : in.fade;
  };
  const bool value = !field(project_->kit[slot]);
  ReleaseSamples();
  for (int i = 0; i < CKit::kSlots; ++i)
    if (all || i == slot) field(project_->kit[i]) = value;
  return KitChanged();
}

Change Session::EmptyKitSlot(int slot) {
  if (slot < 0 || slot >= CKit::kSlots) return {};
  ReleaseSamples();
  EmptySlot(project_->kit[slot]);
  return KitChanged();
}

Change Session::EmptyKitSlots() {
  ReleaseSamples();
  EmptySlots(project_->kit);
  return KitChanged();
}

Change Session::ClearKit() {
  return platform_.Confirm(kClearKitQuestion) ? EmptyKitSlots() : Change();
}

Change Session::LoadKit() {
  auto path = Remembered(folders_.kits, false, dialogs::kKitFilter, "*.kit");
  return path ? LoadKitIntoEditor(*path) : Change();
}

Change Session::LoadKitIntoEditor(const std::string& path) {
  BusyCursor busy(platform_);
  // Loaded beside the kit, so that a file that cannot be opened costs nothing and no voice waits
  // while the samples are read.
  auto loaded = std::make_unique<CKit>();
  for (int i = 0; i < CKit::kSlots; ++i) {
    (*loaded)[i].minkey = project_->kit[i].minkey;
    (*loaded)[i].maxkey = project_->kit[i].maxkey;
    (*loaded)[i].scale = project_->kit[i].scale;
  }
  LastText progress;
  int error = 0;
  if (!loaded->Load(path, &platform_, &progress, &error, folders_.Samples())) {
    platform_.Failure(FormatMessage(kLoadError, path), SystemReason(error));
    return Change::Refused({});
  }
  ReleaseSamples();
  project_->kit = std::move(*loaded);
  return KitChanged(progress.last);
}

Change Session::SaveKit() {
  if (auto path = Remembered(folders_.kits, true, dialogs::kKitFilter, "*.kit")) SaveKitFile(*path);
  return {};
}

bool Session::SaveKitFile(const std::string& path) {
  int error = 0;
  if (project_->kit.Save(path, &error)) return true;
  platform_.Failure(FormatMessage(kSaveError, path), SystemReason(error));
  return false;
}

Change Session::AddKitSamples() {
  const std::vector<std::string> paths =
      platform_.OpenFiles({dialogs::kWaveFilter, "*.wav", folders_.waves});
  if (paths.empty()) return {};
  folders_.waves = paths.front();
  return AddKitFiles(paths);
}

Change Session::AddKitFiles(const std::vector<std::string>& paths) {
  if (paths.empty()) return {};
  BusyCursor busy(platform_);
  ReleaseSamples();
  Change change = KitChanged();
  for (const std::string& path : paths) {
    const int slot = FirstEmptySlot(project_->kit);
    if (slot < 0) {
      platform_.Message(kNotEnoughSlots);
      return Change::Refused(change);
    }
    int error = 0;
    if (!FillSlot(project_->kit[slot], path, &platform_, &error)) {
      platform_.Failure(FormatMessage(kSampleReadError, path), SystemReason(error));
      change.refused = true;
    }
  }
  return change;
}

Change Session::KitFromFolder(ScanRunner& runner) {
  auto folder = platform_.ChooseFolder(kFolderTitle, folders_.waves);
  return folder ? KitFromFolderPath(*folder, runner) : Change();
}

Change Session::KitFromFolderPath(const std::string& folder, ScanRunner& runner) {
  KitBuild build;
  if (!runner.Run([&](ScanProgress& progress) { build = BuildKitFromFolder(folder, progress); }))
    return {};
  BusyCursor busy(platform_);
  Change change = PutBuild(build);
  if (build.instruments.empty()) {
    platform_.Message(kNoSampleInFolder);
    change.refused = true;
  }
  return change;
}

Change Session::KitFromRandomFiles(ScanRunner& runner) {
  auto root = platform_.ChooseFolder(kTreeTitle, folders_.waves);
  return root ? KitFromTreePath(*root, runner) : Change();
}

Change Session::KitFromTreePath(const std::string& root, ScanRunner& runner) {
  // The scan draws from a copy, which becomes the shared source only when it completes.
  RandomSource random = random_;
  KitBuild build;
  auto index = [&random](int n) { return RandomIndex(random, n); };
  if (!runner.Run([&](ScanProgress& progress) { build = BuildKitFromTree(root, index, progress); }))
    return {};
  random_ = random;
  BusyCursor busy(platform_);
  return PutBuild(build);
}

Change Session::SliceSample() {
  auto path = Remembered(folders_.waves, false, dialogs::kWaveFilter, "*.wav");
  return path ? SliceSampleFile(*path) : Change();
}

Change Session::SliceSampleFile(const std::string& path) {
  CInstrument source;
  int error = 0;
  if (!LoadWave(path, source, &platform_, nullptr, &error)) {
    platform_.Failure(FormatMessage(kSampleReadError, path), SystemReason(error));
    return Change::Refused({});
  }
  if (source.Length() < kMinSliceFrames) {
    platform_.Message(FormatMessage(kSampleTooShort, path));
    return Change::Refused({});
  }
  if (AnySliceExists(path) && !platform_.Confirm(FormatMessage(kReplaceSlices, path)))
    return Change::Refused({});
  BusyCursor busy(platform_);
  std::vector<std::string> failed;
  KitBuild build = tond::SliceSample(source, path, failed, &error);
  source = CInstrument();
  Change change = PutBuild(build);
  if (!failed.empty()) {
    platform_.Failure(FormatMessage(kSaveError, failed.front()), SystemReason(error));
    change.refused = true;
  }
  return change;
}

void Session::PlayKitSlot(int slot) {
  if (slot >= 0 && slot < CKit::kSlots && project_->kit[slot].InUse())
    platform_.PlaySound(project_->kit[slot].samplePath);
}

void Session::StopKitSound() {
  platform_.StopSound();
}

bool Session::OpenInAudioEditor(int slot) {
  if (slot < 0 || slot >= CKit::kSlots || !project_->kit[slot].InUse()) return false;
  if (platform_.StartProgram(settings_.audioEditor, project_->kit[slot].samplePath)) return true;
  platform_.Message(kAudioEditorError);
  return false;
}

Change Session::SetKitKeys(int slot, std::uint8_t minkey, std::uint8_t maxkey,
                           std::uint16_t scale) {
  if (slot < 0 || slot >= CKit::kSlots) return {};
  CInstrument& in = project_->kit[slot];
  in.minkey = minkey;
  in.maxkey = maxkey;
  in.scale = scale;
  return KitChanged();
}

}  // namespace tond
