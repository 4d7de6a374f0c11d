#include "model/UndoSystem.h"

namespace tond {

void UndoSystem::Init(Grid* owner) {
  owner_ = owner;
  Clear();
  Push();
}

void UndoSystem::Push() {
  if (!owner_) return;
  // States after the current one were undone; a new edit replaces them.
  if (current_ + 1 < Count()) states_.resize(static_cast<size_t>(current_ + 1));
  states_.push_back(std::make_unique<CUndoState>(owner_->Snapshot()));
  current_ = Count() - 1;
}

void UndoSystem::Undo() {
  if (current_ <= 0) return;
  --current_;
  owner_->CopyFrom(states_[static_cast<size_t>(current_)]->cells);
}

void UndoSystem::Redo() {
  if (current_ >= Count() - 1) return;
  ++current_;
  owner_->CopyFrom(states_[static_cast<size_t>(current_)]->cells);
}

void UndoSystem::Clear() {
  states_.clear();
  current_ = -1;
}

}  // namespace tond
