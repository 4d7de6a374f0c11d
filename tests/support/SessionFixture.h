#pragma once
// A session over a scripted platform, with the settings and folders the application would own.
#include "session/Session.h"
#include "support/ScriptedPlatform.h"

namespace tond::test {

struct SessionFixture {
  ScriptedPlatform platform;
  Settings settings;
  Folders folders{"/program/",  "/data/Patterns", "/data/Filters",  "/data/Waves", "/data/Output",
                  "/data/Kits", "/data/Projects", "/data/Pictures", "/data/Midi"};
  Session session{platform, settings, folders};
};

}  // namespace tond::test
