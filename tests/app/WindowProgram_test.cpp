// `tond FILE` as a file manager starts it, ended by a signal as a logout ends it.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "RunTond.h"
#include "files/ProjectFile.h"
#include "support/ProjectFixture.h"

namespace tond {
namespace {

namespace fs = std::filesystem;

TEST(WindowProgram, ASignalEndsItWithoutAQuestionAndKeepsTheUnsavedChanges) {
  // A program folder of its own, where the Projects folder will be, and a settings store that
  // does without the default kit (its message would wait for an answer).
  test::TondFolder folder;
  const std::string program = folder.File("bin/tond");
  fs::create_directory(folder.File("bin"));
  fs::copy_file(std::getenv("TOND_BINARY"), program);
  Pattern cells{};
  cells[CellIndex(5, 6)] = MakeCell(200, 100, 50);
  folder.PatternFile("lit.pat", cells, 133);
  fs::create_directories(folder.dir.Path() / "config" / "Quarnel");
  test::WriteText(folder.File("config/Quarnel/Tond.ini"),
                  "[General%20Settings]\ndefault%20kit=0\n");
  setenv("XDG_CONFIG_HOME", folder.File("config").c_str(), 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  setenv("TOND_REPORT_FIRST_PAINT", "0", 1);

  const pid_t pid = test::StartTond(program, {"lit.pat"}, folder.dir.Path().string(),
                                    folder.File("out"), folder.File("err"));
  for (int i = 0; i < 2000 && test::ReadText(folder.File("err")).find("first paint") ==
                                  std::string::npos;
       ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  std::this_thread::sleep_for(std::chrono::milliseconds(200));  // the file is loaded after it
  kill(pid, SIGTERM);
  ASSERT_EQ(test::WaitTond(pid, 20), 0) << test::ReadText(folder.File("err"));

  // The dropped pattern is an unsaved change: it went into the recovery project.
  const std::string recovery = folder.File("bin/Projects/recovery.blp");
  ASSERT_TRUE(fs::exists(recovery));
  test::ProjectSession read;
  ASSERT_TRUE(LoadProject(recovery, *read.project, read.undo, read.notifier));
  EXPECT_EQ(read.project->GetCell(5, 6), MakeCell(200, 100, 50));
  EXPECT_EQ(read.project->Tempo(0), 133u);
  // Shut-down wrote the settings.
  EXPECT_NE(test::ReadText(folder.File("config/Quarnel/Tond.ini")).find("cc%20blue=24"),
            std::string::npos);
}

}  // namespace
}  // namespace tond
