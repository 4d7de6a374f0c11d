#include "session/Session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "engine/Engine.h"
#include "files/PatternFile.h"
#include "files/ProjectFile.h"
#include "model/Project.h"
#include "model/UndoSystem.h"
#include "support/SessionFixture.h"
#include "support/TestFiles.h"

namespace tond::test {
namespace {

using Texts = std::vector<std::string>;

// Pixel of the middle of cell (x, y) with the large cells.
int Px(int x) {
  return 15 + x * 13 + 6;
}
int Py(int y) {
  return 10 + y * 11 + 5;
}

struct SessionTest : SessionFixture, ::testing::Test {
  const Project& P() const { return session.GetProject(); }
  void Paint(int x, int y) {
    session.LeftDown(Px(x), Py(y), {});
    session.LeftUp(Px(x), Py(y));
  }
  TempDir dir;
};

TEST_F(SessionTest, ButtonsCommitAFloatingPasteFirstAndKeysAsTheTableSays) {
  Paint(1, 1);
  session.Run(Command::kSelector);
  session.LeftDown(Px(1), Py(1), {});
  session.Move(Px(2), Py(1), true, false);
  session.LeftUp(Px(2), Py(1));
  session.Press(Command::kCopy);
  ASSERT_TRUE(session.Press(Command::kPaste).tool);
  const int pushes = session.History().Count();

  // R moves colours without committing: the paste still floats.
  session.Key({'R', false, false}, 0, 0);
  EXPECT_TRUE(session.Edit().pastePending);
  // Escape drops it and gives the selector back.
  EXPECT_TRUE(session.Key({kKeyEscape}, 0, 0)->tool);
  EXPECT_EQ(session.Edit().currentTool, kSelector);
  EXPECT_EQ(session.History().Count(), pushes + 1);

  // A button commits before it runs: the pasted cells land, then the rows move.
  session.Press(Command::kPaste);
  const CellRect floating = session.Edit().selection;
  session.Press(Command::kRevY);
  EXPECT_FALSE(session.Edit().pastePending);
  EXPECT_NE(At(floating.x1, 63 - floating.y1), 0u);
  // Enter toggles recording and never commits; Space commits first.
  session.Press(Command::kPaste);
  session.Key({kKeyEnter}, 0, 0);
  EXPECT_TRUE(session.Edit().pastePending);
  session.Key({' '}, 0, 0);
  EXPECT_FALSE(session.Edit().pastePending);
  EXPECT_TRUE(session.Playing());
}

TEST_F(SessionTest, KeypadAndWheelSelectPatternsAndTempo) {
  Paint(5, 5);
  session.SetTempo(133.7);
  EXPECT_FALSE(session.Key({'0', false, false, true}, 0, 0)) << "keypad 0 does nothing";
  EXPECT_FALSE(session.Key({'7', true, false, true}, 0, 0)) << "nor Ctrl+keypad 7";
  EXPECT_TRUE(session.Key({'3', true, false, true}, 0, 0)->pattern);
  EXPECT_EQ(P().Current(), 12);
  EXPECT_EQ(P().Tempo(0), 133u);
  EXPECT_EQ(At(5, 5), 0u);
  EXPECT_EQ(session.History().Count(), 0);

  // The wheel works on the stored tempo, whatever the control shows, and stays in range.
  session.SetTempo(300);
  EXPECT_TRUE(session.Wheel(-120).tempo);
  EXPECT_EQ(session.Tempo(), 121);
  session.Wheel(120 * 500);
  EXPECT_EQ(P().Tempo(12), 1u);
  EXPECT_EQ(session.Tempo(), 1);
  session.Key({'1', false, false, true}, 0, 0);
  EXPECT_EQ(session.Tempo(), 133);
  EXPECT_NE(At(5, 5), 0u);
}

// (A pattern switch during a live edit: the main window's test of Mutate.)
TEST_F(SessionTest, AShiftDuringAHandDragIsKeptOnce) {
  Paint(10, 10);
  session.Run(Command::kHand);
  session.LeftDown(Px(10), Py(10), {});
  session.Move(Px(12), Py(10), true, false);  // dragged 2 to the right
  session.ShiftPattern(0, 3);                 // the controller moves it down meanwhile
  session.Move(Px(13), Py(10), true, false);
  session.LeftUp(Px(13), Py(10));
  EXPECT_NE(At(13, 13), 0u);
  int notes = 0;
  for (int i = 0; i < kCells; ++i) notes += P().working.Get(i) != 0;
  EXPECT_EQ(notes, 1);
}

TEST_F(SessionTest, FileCommandsAskWhereTheyStartAndRememberTheirPlaces) {
  platform.paths = {dir.File("a.pat"), std::nullopt, dir.File("pic.bmp")};
  session.Press(Command::kSavePattern);
  session.Press(Command::kImport);  // cancelled: the location stays
  session.Press(Command::kImport);  // the picture does not decode
  platform.paths = {dir.File("x.mid")};
  session.Press(Command::kExportMidi);
  ASSERT_EQ(platform.dialogs.size(), 4u);
  EXPECT_EQ(platform.dialogs[0], (FileDialog{dialogs::kPatternFilter, "*.pat", "/data/Patterns"}));
  EXPECT_EQ(platform.dialogs[1].start, "/data/Pictures");
  EXPECT_EQ(platform.dialogs[2].start, "/data/Pictures");
  EXPECT_EQ(folders.pictures, dir.File("pic.bmp"));
  EXPECT_EQ(platform.dialogs[3], (FileDialog{dialogs::kMidiFilter, "*.mid", "/data/Midi"}));
  EXPECT_EQ(platform.messages, Texts{FormatMessage(kPictureReadError, dir.File("pic.bmp"))});
  EXPECT_EQ(ReadBytes(dir.File("a.pat")).size(), kPatternFileSize);
  EXPECT_EQ(platform.busyDepth, 0);

  // A picture replaces the grid as one undo state.
  EXPECT_TRUE(Picture(NumberedPattern(1)).pattern);
  EXPECT_EQ(P().working, *platform.picture);
  session.Run(Command::kUndo);
  EXPECT_EQ(At(0, 0), 0u);
}

TEST_F(SessionTest, DroppedFilesLoadByTheirExactExtension) {
  Paint(0, 0);
  session.Run(Command::kPlay);
  ASSERT_TRUE(session.SaveProjectFile(dir.File("song.blp")));
  ASSERT_TRUE(session.SavePatternFile(dir.File("one.pat")));
  session.Run(Command::kClear);  // with confirmations on, declined
  EXPECT_EQ(platform.questions, Texts{kClearQuestion});
  settings.confirmationMessages = false;
  session.Run(Command::kClear);
  EXPECT_EQ(At(0, 0), 0u);

  // A name without extension is no file type: nothing happens. (A case that does not match and
  // the first of three files: the main window's drop test.)
  session.Drop({dir.File("nodot")});
  EXPECT_TRUE(platform.messages.empty());
  session.Drop({dir.File("one.pat")});
  EXPECT_NE(At(0, 0), 0u);
  EXPECT_TRUE(session.Playing());

  // A project stops playback and the engine before the kit changes.
  session.Run(Command::kClear);
  const Change loaded = session.Drop({dir.File("song.blp")});
  EXPECT_TRUE(loaded.transport && loaded.kit && loaded.pattern);
  EXPECT_FALSE(session.Playing());
  EXPECT_NE(At(0, 0), 0u);
  EXPECT_FALSE(session.Modified());
  EXPECT_TRUE(session.Drop({dir.File("gone.kit")}).refused);
}

TEST_F(SessionTest, UnsavedChangesAreNeverLostWithoutAQuestion) {
  EXPECT_TRUE(session.ConfirmClose()) << "nothing to lose";
  session.SetTempo(133);
  EXPECT_TRUE(session.Modified()) << "a tempo is a change too";
  Paint(3, 3);
  session.Run(Command::kLine);

  // Cancel keeps everything; Save whose dialog is cancelled cancels the command too. Load and
  // a dropped project ask as New does.
  platform.saveAnswers = {SaveAnswer::kCancel, SaveAnswer::kSave, SaveAnswer::kCancel};
  session.Press(Command::kNew);
  session.Press(Command::kNew);
  session.Press(Command::kLoad);
  session.Drop({dir.File("other.blp")});
  EXPECT_NE(At(3, 3), 0u);
  EXPECT_FALSE(session.ConfirmClose());
  EXPECT_EQ(platform.questions, Texts(5, kUnsavedQuestion));

  // Save writes the project and the command goes on; Discard goes on without writing.
  platform.saveAnswers = {SaveAnswer::kSave};
  platform.paths = {dir.File("kept.blp")};
  session.Press(Command::kNew);
  EXPECT_EQ(At(3, 3), 0u);
  EXPECT_EQ(session.Tempo(), 120);  // and the pencil, as a new project starts
  EXPECT_EQ(session.Edit().currentTool, kPencil);
  EXPECT_TRUE(std::filesystem::exists(dir.File("kept.blp")));
  EXPECT_FALSE(session.Modified());
  // Unmodified, New asks its own question.
  platform.questions.clear();
  session.Press(Command::kNew);
  EXPECT_EQ(platform.questions, Texts{kNewQuestion});
}

TEST_F(SessionTest, TheAuditionKeyPlaysTheRowUnderThePointer) {
  WriteText(dir.File("k.kit"), KitText({{"/w/snare.wav"}}));
  session.LoadKitFile(dir.File("k.kit"));
  session.Key({'I'}, Px(9), Py(0));
  session.Key({'I'}, Px(9), Py(1));  // an empty slot
  session.Key({'I'}, 3, 3);          // off the pattern
  EXPECT_EQ(platform.sounds, Texts{"/w/snare.wav"});
}

// --- Main window ------------------------------------------------------------------------------

TEST_F(SessionTest, TheStartKitIsNoUnsavedChange) {
  WriteText(dir.File("k.kit"), KitText({{"/w/snare.wav"}}));
  EXPECT_TRUE(session.LoadStartKit(dir.File("k.kit")).kit);
  EXPECT_EQ(P().kit[0].samplePath, "/w/snare.wav");
  EXPECT_TRUE(session.ConfirmClose());
  EXPECT_TRUE(platform.questions.empty());
  // Loaded later, a kit is a change like any other.
  session.LoadKitFile(dir.File("k.kit"));
  EXPECT_TRUE(session.Modified());
}

// --- Tool windows -----------------------------------------------------------------------------

TEST_F(SessionTest, TheFiltersFolderListsEveryEntryAndAnEmptyOneSaysSo) {
  folders.filters = dir.File("Filters");
  EXPECT_TRUE(session.FilterFolderEntries().empty());
  std::filesystem::create_directory(folders.filters);
  EXPECT_TRUE(session.FilterFolderEntries().empty());
  EXPECT_EQ(platform.messages, Texts(2, kNoFilterFound));
  WriteText(dir.File("Filters/a.pat"), "");
  WriteText(dir.File("Filters/notes"), "");
  std::vector<std::string> entries = session.FilterFolderEntries();
  std::sort(entries.begin(), entries.end());
  EXPECT_EQ(entries, (Texts{dir.File("Filters/a.pat"), dir.File("Filters/notes")}));
  EXPECT_EQ(platform.messages.size(), 2u);
}

}  // namespace
}  // namespace tond::test
