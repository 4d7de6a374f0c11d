#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace tond {

// What the user is shown: a message box in the window, standard error on the command line,
// a recorder in tests.
class Notifier {
 public:
  virtual ~Notifier() = default;
  // A message with one OK button.
  virtual void Message(const std::string& text) = 0;
  // A question with OK and Cancel; true for OK.
  virtual bool Confirm(const std::string& text) = 0;
  // A failure the system gave a reason for (SystemReason(errno): "No such file or directory").
  // The command line prints the reason on the line after the message; the window shows the
  // message alone, in its usual words.
  virtual void Failure(const std::string& text, const std::string& reason) {
    (void)reason;
    Message(text);
  }
  // A sample a kit or project names that could not be read (`text` names it), as Failure. The
  // window shows each one; the command line shows a few and counts them.
  virtual void UnreadSample(const std::string& text, const std::string& reason) {
    Failure(text, reason);
  }
};

// The system's words for an error number; empty for 0.
std::string SystemReason(int error);

// Keeps what would have been shown, for the window thread to show once the work (often on
// another thread) is done. Questions are answered with Cancel.
class HeldMessages : public Notifier {
 public:
  void Message(const std::string& text) override { messages.push_back(text); }
  bool Confirm(const std::string& text) override {
    messages.push_back(text);
    return false;
  }
  std::vector<std::string> messages;
};

// Texts shared by every file the program loads or saves.
inline constexpr const char* kSaveError = "Error: unable to save the file:\n %s";
inline constexpr const char* kLoadError = "Error: unable to load the file:\n %s";

// Fills the first "%s" of a message with a path, as the messages are written with one.
std::string FormatMessage(std::string_view format, std::string_view path);

}  // namespace tond
