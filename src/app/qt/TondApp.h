#pragma once
// The application object: created once before anything else, it owns what lives for the whole
// run (the project the engine plays, the engine, the audio stream with its recorder and sound
// player, the settings and the folder paths) and runs the start-up and shut-down sequences.
//
// Start-up: the program folder becomes the working folder, the eight data folders are created,
// the settings are read, the stream is opened on the chosen device and started. The program then
// runs (today the `tond play` command; later the main window, between StartUp() and ShutDown()).
// Shut-down: the stream is stopped, a running recording is finished, the stream is closed and
// the audio library terminated, and every setting is written back.
//
// The project is created here, before the engine that reads its working grid and kit on the
// audio thread, and destroyed after the stream has stopped. The main window works on it through
// GetProject(): whoever edits the project never has to hand it back or outlive the engine.
#include <memory>
#include <string>

#include "app/qt/Settings.h"

namespace tond {

class AudioStream;
class Engine;
class Notifier;
class Project;
class Recorder;
class SoundPlayer;

// The paths the program works with. `program` ends with a path separator; the data folders do
// not. Kits, Waves, Pictures and Midi double as the remembered locations of their dialogs, which
// replace them with the last file chosen there (not kept between runs).
struct Folders {
  std::string program;
  std::string patterns;
  std::string filters;
  std::string waves;
  std::string output;
  std::string kits;
  std::string projects;
  std::string pictures;
  std::string midi;
};

class CTondApp {
 public:
  struct Options {
    // Empty: the folder of the running executable.
    std::string programFolder;
    // Where the data folders go when the program folder cannot be written (an installed
    // program). Empty: the per-user data location ($XDG_DATA_HOME/Quarnel/Tond).
    std::string userDataFolder;
  };

  // Messages of start-up and of what the application runs go to `notifier`, which must outlive
  // the application.
  explicit CTondApp(Notifier& notifier);
  CTondApp(Notifier& notifier, Options options);
  // Runs ShutDown() when start-up ran and shut-down did not.
  virtual ~CTondApp();
  CTondApp(const CTondApp&) = delete;
  CTondApp& operator=(const CTondApp&) = delete;

  // The start-up sequence. Every failure on the way is either shown (a data folder that cannot
  // be created) or silent (no device, no stream): the program always goes on.
  void StartUp();
  // The shut-down sequence; does nothing when start-up has not run or shut-down already has.
  void ShutDown();

  // The program folder followed by "kits/default.kit". Its samples are named relative to the
  // program folder, which is the working folder.
  std::string DefaultKitPath() const;

  // Sets the interpolation setting and the engine's, heard from the next buffer.
  void SetInterpolation(std::uint8_t mode);

  // Transport: the engine's `playing` and `muted`, and the recorder's state. Starting a
  // recording creates the next free "output<n>.wav" in the Output folder; false (with the
  // message shown) when it cannot be created.
  bool StartRecording();
  void StopRecording();
  bool IsRecording() const;

  Project& GetProject() { return *project_; }
  Engine& GetEngine() { return *engine_; }
  // Valid between StartUp() and ShutDown().
  AudioStream& Stream() { return *stream_; }
  Recorder& GetRecorder();
  SoundPlayer& GetPlayer();
  Notifier& GetNotifier() { return notifier_; }

  Settings settings;
  Folders folders;

 private:
  void FindProgramFolder();
  void ComposeDataFolders();
  void CreateDataFolders();

  Notifier& notifier_;
  Options options_;
  std::string dataRoot_;  // where the data folders live, with a trailing separator
  std::unique_ptr<Project> project_;
  std::unique_ptr<Engine> engine_;
  std::unique_ptr<AudioStream> stream_;
  bool started_ = false;
};

// The folder of the running executable, with a trailing separator; empty when unknown.
std::string ExecutableFolder();

}  // namespace tond
