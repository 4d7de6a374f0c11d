#pragma once
// A project with its history, for the tests of what reads and writes a project directly (the
// file formats); commands go through a Session instead.
#include <memory>

#include "model/Project.h"
#include "model/UndoSystem.h"
#include "support/TestFiles.h"

namespace tond::test {

// On the heap: its grids are large.
struct ProjectSession {
  ProjectSession() { undo.Init(&project->working); }
  std::unique_ptr<Project> project = std::make_unique<Project>();
  UndoSystem undo;
  RecordingNotifier notifier;
};

}  // namespace tond::test
