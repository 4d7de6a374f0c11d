#pragma once
// Runs the built `tond` program (path in TOND_BINARY) and collects what it printed, in a folder
// that holds the small files its commands read.
#include <sys/types.h>

#include <string>
#include <vector>

#include "model/Pattern.h"
#include "support/TestFiles.h"

namespace tond::test {

struct TondResult {
  int exitCode = -1;  // the exit status, or -1 when it crashed or had to be killed
  std::string out;
  std::string err;
};

// Starts `program args...` in `workDir` with its standard output and error going to the files
// `out` and `err` and no standard input.
pid_t StartTond(const std::string& program, std::vector<std::string> args,
                const std::string& workDir, const std::string& out, const std::string& err);
// The exit status, or -1 when the process died of a signal or had to be killed after `seconds`.
int WaitTond(pid_t pid, int seconds);

// Runs `tond args...` in the folder `workDir`; gives up (and fails) after 60 seconds.
TondResult RunTond(const std::vector<std::string>& args, const std::string& workDir);

// A folder to run `tond` in. The writers return the full path of the file they write.
struct TondFolder {
  std::string File(const std::string& name) const { return dir.File(name); }
  Bytes Read(const std::string& name) const { return ReadBytes(File(name)); }
  // Runs `tond LINE` here, LINE split at spaces.
  TondResult Tond(const std::string& line) const;
  // A fading 16-bit mono sine of `frames` frames, one cycle every `period` frames.
  std::string Tone(const std::string& name, int frames, double period) const;
  // Slots 0, 1, ... play `samples` (paths as given), the rest are "not used".
  std::string Kit(const std::string& name, const std::vector<std::string>& samples,
                  bool loop = false) const;
  std::string PatternFile(const std::string& name, const Pattern& cells, double tempo) const;

  TempDir dir;
};

// What the render, midi and info tests read. Samples: a.wav (2000 frames, named by its full
// path), b.wav (3 stereo frames at 22050 Hz with root key 48, named relative to the working
// folder) and kGone, which does not exist. drums.kit holds them in slots 0 to 2; beat.pat holds
// `beat` at tempo 500, beyond the tempo control's range. song.blp has the same slots (a.wav
// looping, b.wav fading), `beat` as pattern 0 at tempo 133 and `third` as pattern 3 at 500.
struct CliScene : TondFolder {
  static constexpr const char* kGone = "gone\\snare.take.2.wav";
  CliScene();
  Pattern beat{};
  Pattern third{};
};

}  // namespace tond::test
