// A JACK MIDI source (a virtual output port) plays a controller into the input port; the
// messages reach the session on this thread, as the main window routes them.
#include "app/qt/MidiInput.h"

#include <gtest/gtest.h>
#include <rtmidi/RtMidi.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <functional>

#include "base/Tempo.h"
#include "model/Project.h"
#include "session/MidiControl.h"
#include "session/Session.h"
#include "support/SessionFixture.h"

namespace tond {
namespace {

struct MidiInputTest : test::SessionFixture, ::testing::Test {
  MidiInputTest() {
    source.openVirtualPort("controller");
    input.SetHandler([this](std::span<const std::uint32_t> words) {
      ++handovers;
      received += static_cast<int>(words.size());
      session.ApplyMidiMessages(words);
    });
  }
  // One message, sent again while it does not arrive: a JACK cycle that runs late (an xrun on
  // a busy machine) loses what it carried before the program could see it.
  void Send(std::uint8_t status, std::uint8_t d1, std::uint8_t d2) {
    std::vector<unsigned char> message{status, d1, d2};
    if (status >> 4 == 0xC) message.pop_back();
    const int expected = received + 1;
    for (int attempt = 0; attempt < 20 && received < expected; ++attempt) {
      source.sendMessage(&message);
      Until([&] { return received >= expected; }, 500);
    }
    ASSERT_EQ(received, expected);
  }
  // Runs the event loop until `done`; false after `ms` without.
  static bool Until(const std::function<bool()>& done, int ms = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
      if (timer.elapsed() > ms) return false;
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
  }
  int argc = 0;
  QCoreApplication app{argc, nullptr};
  RtMidiOut source{RtMidi::UNIX_JACK, "Test source"};
  MidiInput input{MidiBackend::kJack};
  int handovers = 0;
  int received = 0;
};

TEST_F(MidiInputTest, AControllerOnTheJackPortDrivesTheSession) {
  const std::vector<std::string> ports = MidiInput::Ports(MidiBackend::kJack);
  const auto port = std::find(ports.begin(), ports.end(), "Test source:controller");
  ASSERT_NE(port, ports.end());
  EXPECT_FALSE(input.Open(static_cast<int>(ports.size())));
  ASSERT_TRUE(input.Open(static_cast<int>(port - ports.begin())));

  Pattern one{};
  one[0] = 0x10;
  Picture(one);
  const MidiControl::LastValues& last = session.Midi().Last();

  // x and y: the first values, then 10 columns right and 3 rows down.
  Send(0xB0, 21, 0);
  Send(0xB0, 22, 0);
  Send(0xB0, 21, 20);
  Send(0xB0, 22, 6);
  EXPECT_EQ(At(10, 3), 0x10u);

  // A quarter turn clockwise: (10, 3) goes to (60, 10).
  Send(0xB0, 23, 0);
  Send(0xB0, 23, 32);
  EXPECT_EQ(At(60, 10), 0x10u);

  // Another channel and program 16 do nothing; the tempo value after them is applied.
  Send(0xB1, 21, 100);
  Send(0xC0, 16, 0);
  Send(0xB0, 20, 64);
  EXPECT_EQ(PlayedTempo(session.Tempo()), 177);
  EXPECT_EQ(last.x, 10);
  EXPECT_EQ(session.GetProject().Current(), 0);

  // A fast knob: its values reach the session in a few hand-overs, not one each. A late JACK
  // cycle can lose a whole burst on a busy machine, so a burst that mostly did not arrive is
  // sent again.
  std::vector<unsigned char> knob{0xB0, 21, 0};
  int arrived = 0;
  int handed = 0;
  for (int attempt = 0; attempt < 5 && arrived <= 100; ++attempt) {
    const int handoversBefore = handovers;
    const int receivedBefore = received;
    for (int v = 0; v < 200; ++v) {
      knob[2] = static_cast<unsigned char>(v % 128);
      source.sendMessage(&knob);
    }
    Until([&] { return received > receivedBefore; }, 2000);
    int seen = -1;
    while (seen != received) {  // until nothing more comes
      seen = received;
      Until([&] { return received > seen; }, 300);
    }
    arrived = received - receivedBefore;
    handed = handovers - handoversBefore;
  }
  ASSERT_GT(arrived, 100);
  EXPECT_LT(handed, 20);

  Send(0xC0, 3, 0);
  EXPECT_EQ(session.GetProject().Current(), 3);
  input.Close();
  EXPECT_FALSE(input.IsOpen());
}

}  // namespace
}  // namespace tond
