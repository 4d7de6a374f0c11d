#pragma once
#include <iosfwd>

#include "session/Platform.h"

namespace tond::cli {

// The command line's platform: messages are lines on a stream (standard error). Nobody can
// answer a question or pick a file there, so every question is declined and every dialog
// cancelled; there is no sound player, no other program and no picture decoder behind it.
class StreamPlatform : public Platform {
 public:
  explicit StreamPlatform(std::ostream& stream) : stream_(stream) {}
  void Message(const std::string& text) override;
  void Failure(const std::string& text, const std::string& reason) override;
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

 private:
  std::ostream& stream_;
};

}  // namespace tond::cli
