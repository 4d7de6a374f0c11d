#include "model/UndoSystem.h"

namespace tond {

CUndoState::CUndoState(const Pattern& from, const Pattern& to) {
  int changed = 0;
  for (int i = 0; i < kCells; ++i) changed += from[i] != to[i];
  // A pair takes twice a flip's room: past half the grid the whole grid of flips is smaller.
  if (changed > kCells / 2) {
    dense_.resize(kCells);
    for (int i = 0; i < kCells; ++i) dense_[i] = from[i] ^ to[i];
    return;
  }
  sparse_.reserve(static_cast<std::size_t>(changed));
  for (int i = 0; i < kCells; ++i)
    if (from[i] != to[i]) sparse_.emplace_back(static_cast<std::uint16_t>(i), from[i] ^ to[i]);
}

void CUndoState::Apply(Pattern& cells) const {
  if (!dense_.empty()) {
    for (int i = 0; i < kCells; ++i) cells[i] ^= dense_[i];
    return;
  }
  for (const auto& [index, flip] : sparse_) cells[index] ^= flip;
}

std::size_t CUndoState::Bytes() const {
  return sizeof(CUndoState) + sparse_.capacity() * sizeof(sparse_[0]) +
         dense_.capacity() * sizeof(Cell);
}

void UndoSystem::Init(Grid* owner) {
  owner_ = owner;
  Clear();
  Push();
}

void UndoSystem::Push() {
  if (!owner_) return;
  const Pattern now = owner_->Snapshot();
  if (current_ < 0) {
    current_ = 0;
  } else {
    DropUndone();
    steps_.emplace_back(shown_, now);
    bytes_ += steps_.back().Bytes();
    ++current_;
    // The oldest states go first; the one just pushed always stays.
    while (bytes_ > budget_ && !steps_.empty()) {
      bytes_ -= steps_.front().Bytes();
      steps_.pop_front();
      --current_;
    }
  }
  shown_ = now;
}

// States after the current one were undone; a new edit replaces them.
void UndoSystem::DropUndone() {
  while (static_cast<int>(steps_.size()) > current_) {
    bytes_ -= steps_.back().Bytes();
    steps_.pop_back();
  }
}

void UndoSystem::Undo() {
  if (current_ <= 0) return;
  --current_;
  steps_[static_cast<std::size_t>(current_)].Apply(shown_);
  owner_->CopyFrom(shown_);
}

void UndoSystem::Redo() {
  if (current_ >= Count() - 1) return;
  steps_[static_cast<std::size_t>(current_)].Apply(shown_);
  ++current_;
  owner_->CopyFrom(shown_);
}

void UndoSystem::Clear() {
  steps_.clear();
  bytes_ = 0;
  current_ = -1;
}

}  // namespace tond
