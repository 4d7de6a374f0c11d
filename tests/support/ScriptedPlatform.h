#pragma once
// A platform whose user is a script: every message, question and dialog is kept in the order
// asked, questions and dialogs take the answers queued for them (declined or cancelled when none
// is left), and sounds and started programs are only noted.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "session/Platform.h"

namespace tond::test {

class ScriptedPlatform : public Platform {
 public:
  void Message(const std::string& text) override { messages.push_back(text); }
  bool Confirm(const std::string& text) override {
    questions.push_back(text);
    return Take(confirms, false);
  }
  void ShowError(const std::string& title, const std::string& text) override {
    errors.push_back(title + ": " + text);
  }
  SaveAnswer AskToSave(const std::string& text) override {
    questions.push_back(text);
    return Take(saveAnswers, SaveAnswer::kCancel);
  }
  std::optional<std::string> OpenFile(const FileDialog& d) override { return Pick(d); }
  std::vector<std::string> OpenFiles(const FileDialog& d) override {
    dialogs.push_back(d);
    return Take(fileLists, std::vector<std::string>());
  }
  std::optional<std::string> SaveFile(const FileDialog& d) override { return Pick(d); }
  std::optional<std::string> ChooseFolder(const std::string& title,
                                          const std::string& start) override {
    dialogs.push_back({title, "", start});
    return Take(paths, std::optional<std::string>());
  }
  void Busy(bool busy) override { busyDepth += busy ? 1 : -1; }
  void PlaySound(const std::string& path) override { sounds.push_back(path); }
  void StopSound() override { sounds.push_back("(stop)"); }
  bool StartProgram(const std::string& program, const std::string& argument) override {
    programs.push_back(program + " " + argument);
    return startsPrograms;
  }
  std::optional<Pattern> ReadPicture(const std::string&) override { return picture; }

  std::vector<std::string> messages;
  std::vector<std::string> questions;
  std::vector<std::string> errors;  // "title: text"
  std::vector<FileDialog> dialogs;
  std::vector<std::string> sounds;
  std::vector<std::string> programs;
  std::deque<bool> confirms;
  std::deque<SaveAnswer> saveAnswers;
  std::deque<std::optional<std::string>> paths;  // chosen in the next file dialogs
  std::deque<std::vector<std::string>> fileLists;
  std::optional<Pattern> picture;
  bool startsPrograms = true;
  int busyDepth = 0;

 private:
  template <typename T, typename Queue>
  static T Take(Queue& queue, T none) {
    if (queue.empty()) return none;
    T value = queue.front();
    queue.pop_front();
    return value;
  }
  std::optional<std::string> Pick(const FileDialog& d) {
    dialogs.push_back(d);
    return Take(paths, std::optional<std::string>());
  }
};

}  // namespace tond::test
