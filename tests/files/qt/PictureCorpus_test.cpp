// Every damaged picture kept in tests/corpus/picture goes through the import, as the fuzz harness
// feeds it: a picture replaces the grid with one undo step, a refusal shows nothing and changes
// nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "files/qt/PictureImport.h"
#include "model/Project.h"
#include "model/UndoSystem.h"
#include "support/TestFiles.h"

namespace tond {
namespace {

namespace fs = std::filesystem;

TEST(PictureCorpus, PicturesImportOrAreRefusedChangingNothing) {
  for (const fs::path& file : test::CorpusFiles("picture")) {
    SCOPED_TRACE(file.filename().string());
    // "ok" must import, "refused" must not, "any" is the decoder's choice.
    const std::string outcome = test::CorpusOutcome(file);
    ASSERT_TRUE(outcome == "ok" || outcome == "refused" || outcome == "any");
    auto project = std::make_unique<Project>();
    UndoSystem undo;
    undo.Init(&project->working);
    project->working.Fill(0x00123456);
    const Pattern before = project->working.Snapshot();

    const bool imported = ImportPicture(file.string(), *project, undo);
    if (outcome != "any") {
      EXPECT_EQ(imported, outcome == "ok");
    }
    EXPECT_EQ(undo.Count(), imported ? 2 : 1);
    if (!imported) {
      EXPECT_TRUE(project->working == before);
      continue;
    }
    for (int i = 0; i < kCells; ++i) ASSERT_EQ(project->working.Get(i) >> 24, 0u) << i;
  }
}

}  // namespace
}  // namespace tond
