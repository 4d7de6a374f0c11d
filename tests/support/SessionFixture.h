#pragma once
// A session over a scripted platform, with the settings and folders the application would own.
#include "model/Project.h"
#include "session/MidiControl.h"
#include "session/Session.h"
#include "support/ScriptedPlatform.h"

namespace tond::test {

struct SessionFixture {
  Cell At(int x, int y) const { return session.GetProject().GetCell(x, y); }
  // `cells` become the pattern as one undo state, as an imported picture does.
  Change Picture(const Pattern& cells) {
    platform.picture = cells;
    return session.ImportPictureFile("picture");
  }
  // One message as the MIDI input hands it over.
  Change Midi(std::uint8_t status, std::uint8_t d1, std::uint8_t d2 = 0) {
    const std::uint32_t word = PackMidi(status, d1, d2);
    return session.ApplyMidiMessages({&word, 1});
  }

  ScriptedPlatform platform;
  Settings settings;
  Folders folders{"/program/",  "/data/Patterns", "/data/Filters",  "/data/Waves", "/data/Output",
                  "/data/Kits", "/data/Projects", "/data/Pictures", "/data/Midi"};
  Session session{platform, settings, folders};
};

}  // namespace tond::test
