// Every damaged picture kept in tests/corpus/picture goes through the import, as the fuzz harness
// feeds it: a picture replaces the grid with one undo step, a refusal shows nothing and changes
// nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "files/qt/PictureImport.h"
#include "model/Project.h"
#include "model/UndoSystem.h"

namespace tond {
namespace {

namespace fs = std::filesystem;

TEST(PictureCorpus, PicturesImportOrAreRefusedChangingNothing) {
  const fs::path folder =
      fs::path(__FILE__).parent_path().parent_path().parent_path() / "corpus" / "picture";
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder)) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  ASSERT_FALSE(files.empty()) << folder;

  for (const fs::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    // The first word of the name: "ok" must import, "refused" must not, "any" is the decoder's
    // choice.
    const std::string name = file.filename().string();
    const std::string outcome = name.substr(0, name.find('-'));
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
