#include "model/Project.h"

#include "model/UndoSystem.h"

namespace tond {

Project::Project() {
  tempos_.fill(kDefaultTempo);
}

Pattern Project::StoredPattern(int slot) const {
  Pattern p;
  for (int i = 0; i < kCells; ++i) p[static_cast<size_t>(i)] = stored_[StoredIndex(i, slot)];
  return p;
}

void Project::SetStoredPattern(int slot, const Pattern& cells) {
  for (int i = 0; i < kCells; ++i) stored_[StoredIndex(i, slot)] = cells[static_cast<size_t>(i)];
}

void Project::CommitCurrent(double tempoControl) {
  for (int i = 0; i < kCells; ++i) stored_[StoredIndex(i, current_)] = working.Get(i);
  tempos_[current_] = static_cast<std::uint32_t>(tempoControl);
}

bool Project::SelectPattern(int slot, double tempoControl, UndoSystem& undo) {
  CommitCurrent(tempoControl);
  if (slot == current_ || slot < 0 || slot >= kPatterns) return false;
  current_ = static_cast<std::uint16_t>(slot);
  for (int i = 0; i < kCells; ++i) working.Set(i, stored_[StoredIndex(i, current_)]);
  undo.Clear();
  return true;
}

void Project::NewProject(UndoSystem& undo) {
  stored_.fill(0);
  tempos_.fill(kDefaultTempo);
  current_ = 0;
  working.Fill(0);
  undo.Clear();
}

void Project::ClearPattern(UndoSystem& undo) {
  working.Fill(0);
  undo.Push();
}

void Project::ShowFirstPattern(UndoSystem& undo) {
  current_ = 0;
  working.CopyFrom(StoredPattern(0));
  undo.Clear();
}

}  // namespace tond
