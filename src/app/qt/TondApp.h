#pragma once
// The application object: created once before anything else, it owns what lives for the whole
// run (the editing session with the project and the engine that plays it, the audio stream with
// its recorder and sound player, the settings and the folder paths) and runs the start-up and
// shut-down sequences.
//
// Start-up: the program folder becomes the working folder, the eight data folders are created,
// the settings are read, the stream is opened on the chosen device and started. The program then
// runs (the main window or the `tond play` command, between StartUp() and ShutDown()).
// Shut-down: the stream is stopped, a running recording is finished, the stream is closed and
// the audio library terminated, and every setting is written back.
//
// The session is created here, before the stream that calls its engine on the audio thread, and
// destroyed after the stream has stopped: whoever edits through it never has to outlive the
// engine.
#include <memory>
#include <string>

#include "app/qt/Settings.h"

namespace tond {

class AudioStream;
class Engine;
class Platform;
class Recorder;
class Session;
class SoundPlayer;

// What start-up says in the status line when the sound is not as set (a card that is gone is
// named with the one played instead).
inline constexpr const char* kDeviceFailedNotice =
    "The audio device \"%s\" could not be opened: Tond plays no sound.";
inline constexpr const char* kNoDeviceNotice =
    "No audio output device was found: Tond plays no sound.";
// Unsaved changes when a signal ends the program go to the Projects folder as "recovery.blp" (with
// a number when it is taken) and are renamed after their time at the next start.
inline constexpr const char* kRecoveryStem = "recovery";
inline constexpr const char* kRecoveryNotice =
    "The unsaved changes of the last session are in the Projects folder as \"%s\".";

class CTondApp {
 public:
  struct Options {
    // Empty: the folder of the running executable.
    std::string programFolder;
    // Where the data folders go when the program folder cannot be written (an installed
    // program). Empty: the per-user data location ($XDG_DATA_HOME/Quarnel/Tond).
    std::string userDataFolder;
    // The output device of this run (`tond play --device`) instead of the "audio device"
    // setting, which stays as stored. Empty: the setting's device.
    std::string device;
  };

  // Messages of start-up and what the session asks go to `platform`, which must outlive the
  // application.
  explicit CTondApp(Platform& platform);
  CTondApp(Platform& platform, Options options);
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

  // What the status line says after start-up about the sound: a card that is gone and played
  // around, or no sound at all; empty when the stream plays on the chosen device.
  const std::string& StartUpNotice() const { return notice_; }
  // A free name in the Projects folder for the project a signal leaves behind.
  std::string RecoveryPath() const;
  // Renames what RecoveryPath() files were left by the last run after their time, and returns the
  // status line naming them (empty when there was none).
  std::string ClaimRecovery();

  Session& GetSession() { return *session_; }
  Engine& GetEngine();
  // Valid between StartUp() and ShutDown().
  AudioStream& Stream() { return *stream_; }
  Recorder& GetRecorder();
  SoundPlayer& GetPlayer();

  Settings settings;
  Folders folders;

 private:
  void FindProgramFolder();
  void ComposeDataFolders();
  void CreateDataFolders();

  Platform& platform_;
  Options options_;
  std::string dataRoot_;  // where the data folders live, with a trailing separator
  std::unique_ptr<Session> session_;
  std::unique_ptr<AudioStream> stream_;
  bool started_ = false;
  std::string notice_;
};

// The folder of the running executable, with a trailing separator; empty when unknown.
std::string ExecutableFolder();

}  // namespace tond
