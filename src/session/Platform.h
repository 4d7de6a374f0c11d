#pragma once
// Everything the user sees of the platform while a command runs: message boxes and questions,
// file and folder dialogs, the wait cursor, the simple sound player, starting another program
// and decoding pictures. The window implements it with Qt; the command line answers on the
// terminal; tests script it and keep what was asked.
#include <optional>
#include <string>
#include <vector>

#include "base/Notifier.h"
#include "model/Pattern.h"

namespace tond {

// A file dialog as the commands describe it. The filter is written as the program's dialogs
// list their entries ("Tond files (*.blp)|*.blp|All files (*.*)|*.*|"); the platform shows
// the same entries in its own syntax, the first one selected.
struct FileDialog {
  std::string filter;
  std::string defaultExtension;  // "*.blp": added to a typed name that has none
  std::string start;             // a folder, or the file last chosen there
  bool operator==(const FileDialog&) const = default;
};

// The answer to "save the changes first?".
enum class SaveAnswer { kSave, kDiscard, kCancel };

class Platform : public Notifier {
 public:
  // Each returns the chosen full path(s), or nothing when the user cancels.
  virtual std::optional<std::string> OpenFile(const FileDialog& dialog) = 0;
  virtual std::vector<std::string> OpenFiles(const FileDialog& dialog) = 0;
  virtual std::optional<std::string> SaveFile(const FileDialog& dialog) = 0;
  virtual std::optional<std::string> ChooseFolder(const std::string& title,
                                                  const std::string& start) = 0;
  // A message with one OK button under a title of its own ("Error").
  virtual void ShowError(const std::string& title, const std::string& text) = 0;
  // A question with Save, Discard and Cancel.
  virtual SaveAnswer AskToSave(const std::string& text) = 0;
  // The wait cursor, shown from Busy(true) to Busy(false).
  virtual void Busy(bool busy) = 0;
  // Plays a wave file without waiting; a new one replaces the one sounding.
  virtual void PlaySound(const std::string& path) = 0;
  virtual void StopSound() = 0;
  // Starts `program` with one argument, never through a shell; false when it cannot start.
  virtual bool StartProgram(const std::string& program, const std::string& argument) = 0;
  // The picture's cells (see ReadPicturePattern); nothing when it cannot be decoded.
  virtual std::optional<Pattern> ReadPicture(const std::string& path) = 0;
};

// Shows the wait cursor for one scope.
class BusyCursor {
 public:
  explicit BusyCursor(Platform& platform) : platform_(platform) { platform_.Busy(true); }
  ~BusyCursor() { platform_.Busy(false); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  Platform& platform_;
};

}  // namespace tond
