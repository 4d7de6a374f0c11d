// The tool windows that edit the pattern live (Mutate, Map, Colors) and those that fill or
// mask it (Random, Filters).
#include <filesystem>

#include "model/Project.h"
#include "model/UndoSystem.h"
#include "session/Session.h"

namespace tond {

Change Session::OpenMutation(std::uint32_t seed) {
  auto edit = std::make_unique<MutationEdit>(project_->working);
  edit->Open(seed, random_);
  live_ = std::move(edit);
  Change change = Open(Window::kMutate);
  change.pattern = true;
  return change;
}

Change Session::SetMutationAmount(int channel, int amount) {
  auto* edit = Live<MutationEdit>();
  return Change::PatternArea(edit && edit->SetAmount(channel, amount, random_));
}

Change Session::NewMutation() {
  auto* edit = Live<MutationEdit>();
  return Change::PatternArea(edit && edit->NewMutation(random_));
}

Change Session::OpenCurves() {
  live_ = std::make_unique<ColourCurvesEdit>(project_->working);
  return Open(Window::kMap);
}

Change Session::SetCurveAmount(int channel, int amount) {
  auto* edit = Live<ColourCurvesEdit>();
  return Change::PatternArea(edit && edit->SetAmount(channel, amount));
}

Change Session::SetCurveInvert(int channel, bool invert) {
  auto* edit = Live<ColourCurvesEdit>();
  return Change::PatternArea(edit && edit->SetInvert(channel, invert));
}

Change Session::OpenOffset() {
  live_ = std::make_unique<ColourOffsetEdit>(project_->working);
  return Open(Window::kColors);
}

Change Session::SetColourOffset(int channel, int offset) {
  auto* edit = Live<ColourOffsetEdit>();
  return Change::PatternArea(edit && edit->SetOffset(channel, offset));
}

const MutationEdit* Session::Mutation() const {
  return Live<MutationEdit>();
}

const ColourCurvesEdit* Session::Curves() const {
  return Live<ColourCurvesEdit>();
}

const ColourOffsetEdit* Session::Offset() const {
  return Live<ColourOffsetEdit>();
}

Change Session::AcceptLiveEdit() {
  if (!live_) return {};
  live_->Accept(*undo_);
  live_.reset();
  modified_ = true;
  Change change = Change::PatternArea(true);
  change |= CloseModalEdit();
  return change;
}

Change Session::CancelLiveEdit() {
  if (!live_) return {};
  Change change = Change::PatternArea(live_->Cancel());
  live_.reset();
  change |= CloseModalEdit();
  return change;
}

Change Session::AcceptRandomFill(const RandomSettings& settings) {
  randomSettings_ = settings;
  return Edited(RandomFill(randomSettings_, project_->working, *undo_, random_));
}

Change Session::AcceptFilter(std::uint32_t destination, std::uint32_t level, std::int16_t selected,
                             const Pattern* cells) {
  StoreFilterChoice(filterSettings_, project_->filter, destination, level, selected, cells);
  if (!cells) return {};
  return Edited(ApplyFilter(filterSettings_, project_->filter, project_->working, *undo_));
}

std::vector<std::string> Session::FilterFolderEntries() {
  std::vector<std::string> entries;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folders_.filters, ec), end; !ec && it != end;
       it.increment(ec))
    entries.push_back(it->path().string());
  if (entries.empty()) platform_.Message(kNoFilterFound);
  return entries;
}

}  // namespace tond
