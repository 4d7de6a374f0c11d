#include "session/MidiControl.h"

#include <gtest/gtest.h>

#include <random>

#include "model/Project.h"
#include "model/UndoSystem.h"
#include "session/Session.h"
#include "support/SessionFixture.h"

namespace tond::test {
namespace {

constexpr std::uint8_t kCc = 0xB0;  // control change, channel 1

struct MidiTest : SessionFixture, ::testing::Test {
  // A pattern with one cell, as one undo state.
  void Load(int x, int y, Cell c) {
    Pattern p{};
    p[static_cast<std::size_t>(CellIndex(x, y))] = c;
    Picture(p);
  }
};

TEST_F(MidiTest, ShiftsFromTheSecondValueOnTheChosenChannelOnly) {
  Load(0, 0, 0x10);
  Midi(kCc | 1, 21, 0);  // channel 2: nothing, not even a first value
  Midi(kCc, 21, 0);
  EXPECT_EQ(At(0, 0), 0x10u);
  EXPECT_TRUE(Midi(kCc, 21, 20).pattern);
  EXPECT_EQ(At(10, 0), 0x10u);
  // One controller for both: the next message shifts x and records y, then both move.
  settings.ccY = 21;
  Midi(kCc, 21, 24);
  EXPECT_EQ(At(12, 0), 0x10u);
  Midi(kCc, 21, 26);
  EXPECT_EQ(At(13, 1), 0x10u);
  // A new channel acts at the next message.
  settings.midiInChannel = 5;
  Midi(kCc, 21, 40);
  Midi(kCc | 5, 21, 28);
  EXPECT_EQ(At(14, 2), 0x10u);
  EXPECT_EQ(session.History().Count(), 2);  // shifts push nothing
}

// Program changes 3 and 16, and tempo 64: the live MIDI test.
TEST_F(MidiTest, TheTempoControllerSpansTheRange) {
  EXPECT_TRUE(Midi(kCc, 20, 0).tempo);
  EXPECT_EQ(session.Tempo(), 1.0);
  Midi(kCc, 20, 127);
  EXPECT_EQ(session.Tempo(), 350.0);
  // None matches no controller.
  settings.ccTempo = kNoController;
  Midi(kCc, 20, 64);
  EXPECT_EQ(session.Tempo(), 350.0);
}

TEST_F(MidiTest, RotationTurnsByQuartersFromTheFirstValue) {
  Load(0, 0, 0x10);
  Midi(kCc, 23, 0);
  Midi(kCc, 23, 31);  // still the first quarter
  EXPECT_EQ(At(0, 0), 0x10u);
  Midi(kCc, 23, 32);  // one quarter clockwise
  EXPECT_EQ(At(63, 0), 0x10u);
  Midi(kCc, 23, 127);  // two more
  EXPECT_EQ(At(0, 63), 0x10u);
  Midi(kCc, 23, 0);  // back three
  EXPECT_EQ(At(0, 0), 0x10u);
  EXPECT_EQ(session.History().Count(), 2 + 3);
}

TEST_F(MidiTest, ColoursMoveFromTheSecondValueAndClampOneByOne) {
  Load(0, 0, 0x000150);
  Midi(kCc | 1, 7, 0);  // another channel
  Midi(kCc, 7, 10);     // first value: 20
  EXPECT_EQ(At(0, 0), 0x000150u);
  Midi(kCc, 7, 20);
  EXPECT_EQ(At(0, 0), 0x000164u);
  // In one burst: +214 clamps at 255, then -40 gives 215; their sum would give 255.
  const std::uint32_t burst[] = {PackMidi(kCc, 7, 127), PackMidi(kCc, 7, 107)};
  session.ApplyMidiMessages(burst);
  EXPECT_EQ(At(0, 0), 0x0001D7u);
  Midi(kCc, 10, 0);
  Midi(kCc, 10, 3);
  EXPECT_EQ(At(0, 0), 0x0007D7u);
  EXPECT_EQ(session.History().Count(), 2 + 4);
}

TEST_F(MidiTest, ABurstLeavesWhatTheMessagesOneByOneLeave) {
  SessionFixture other;
  std::mt19937 random(7);
  Pattern start{};
  for (Cell& c : start) c = random() % 8 == 0 ? random() & 0xFFFFFF : 0;
  Picture(start);
  other.Picture(start);
  const std::uint8_t controllers[] = {20, 21, 22, 23, 7, 10, 24};
  std::vector<std::uint32_t> words;
  for (int i = 0; i < 2000; ++i) {
    const bool program = random() % 200 == 0;
    words.push_back(program ? PackMidi(0xC0, random() % 16, 0)
                            : PackMidi(kCc, controllers[random() % 7], random() % 128));
  }
  EXPECT_TRUE(session.ApplyMidiMessages(words).pattern);
  for (std::uint32_t word : words) other.session.ApplyMidiMessages({&word, 1});
  EXPECT_TRUE(session.GetProject().working == other.session.GetProject().working.Snapshot());
  EXPECT_EQ(session.GetProject().Current(), other.session.GetProject().Current());
  EXPECT_EQ(session.Tempo(), other.session.Tempo());
  EXPECT_EQ(session.History().Count(), other.session.History().Count());
}

TEST_F(MidiTest, LearnTakesTheNextControllerOnItsChannelAndTheFirstMoveIsNoted) {
  std::vector<std::pair<MidiFunction, int>> learned;
  session.Midi().onLearned = [&](MidiFunction f, std::uint8_t c) { learned.emplace_back(f, c); };
  EXPECT_EQ(Midi(kCc, 21, 0).status, "MIDI: cc 21 \u2192 Offset X");
  EXPECT_FALSE(Midi(kCc, 21, 10).status);  // noted once
  session.Midi().Learn(MidiFunction::kRed, 0);
  Midi(kCc | 2, 22, 60);  // another channel
  EXPECT_TRUE(learned.empty());
  Midi(kCc, 21, 50);  // learned, and does nothing else
  EXPECT_EQ(learned, (std::vector<std::pair<MidiFunction, int>>{{MidiFunction::kRed, 21}}));
  EXPECT_FALSE(session.Midi().Learning());
  EXPECT_EQ(session.Midi().Last().x, 5);
}

TEST(ControllerNames, NumberPaddedThenName) {
  const auto& names = ControllerNames();
  EXPECT_EQ(names[0], "0   Bank Select (coarse)");
  EXPECT_EQ(names[3], "3   Undefined");
  EXPECT_EQ(names[10], "10  Pan position (coarse)");
  EXPECT_EQ(names[16], "16  Gneral Purpose Slider 1");
  EXPECT_EQ(names[100], "100 Registered Parameter (fine)");
  EXPECT_EQ(names[127], "127 Poly Operation");
  EXPECT_EQ(names[128], "------ None ------");
}

}  // namespace
}  // namespace tond::test
