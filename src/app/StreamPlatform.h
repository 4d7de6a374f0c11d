#pragma once
#include <iosfwd>
#include <string>

#include "session/Platform.h"

namespace tond::cli {

// The command line's platform: messages are lines on a stream (standard error), each starting
// with "tond COMMAND: " so that a script's log says where it came from (the lines a message
// continues on, such as the path of "Unable to read the file:", and a system's reason stay as
// they are). Nobody can answer a question or pick a file there, so every question is declined
// and every dialog cancelled; there is no sound player, no other program and no picture decoder
// behind it.
class StreamPlatform : public Platform {
 public:
  // Samples that could not be read are named up to this many times; the rest are only counted.
  static constexpr int kNamedUnreadSamples = 3;

  explicit StreamPlatform(std::ostream& stream) : stream_(stream) {}

  // The command the process runs, set once before it starts: "tond render: ".
  static void SetCommand(const std::string& name) { command_ = name; }
  // "tond COMMAND: ", or "tond: " before a command is known.
  static std::string Prefix();

  void Message(const std::string& text) override;
  void Failure(const std::string& text, const std::string& reason) override;
  void UnreadSample(const std::string& text, const std::string& reason) override;
  bool Confirm(const std::string& text) override;
  void ShowError(const std::string&, const std::string& text) override { Message(text); }
  SaveAnswer AskToSave(const std::string& text) override;
  std::optional<std::string> OpenFile(const FileDialog&) override { return std::nullopt; }
  std::vector<std::string> OpenFiles(const FileDialog&) override { return {}; }
  std::optional<std::string> SaveFile(const FileDialog&) override { return std::nullopt; }
  std::optional<std::string> ChooseFolder(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  void Busy(bool) override {}
  void PlaySound(const std::string&) override {}
  void StopSound() override {}
  bool StartProgram(const std::string&, const std::string&) override { return false; }
  std::optional<Pattern> ReadPicture(const std::string&) override { return std::nullopt; }

  // Ends a render or play whose samples are loaded: when some could not be read, says
  // "N of M samples could not be read" (M: the samples the kit names, `named`) and returns
  // kExitUnreadSamples; else kExitOk.
  int SampleSummary(int named);

 private:
  std::ostream& stream_;
  int unread_ = 0;
  static inline std::string command_;
};

}  // namespace tond::cli
