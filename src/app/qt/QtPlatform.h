#pragma once
// The platform as the window program shows it: Qt message boxes and file dialogs, the wait
// cursor, the audio stream's sound player, detached programs and Qt's picture decoders.
#include <QString>

#include "session/Platform.h"

class QWidget;

namespace tond {

class SoundPlayer;

// The title of the program's message boxes.
inline constexpr const char* kMessageTitle = "Tond";

// A filter as the program's dialogs list it ("Tond files (*.blp)|*.blp|All files (*.*)|*.*|") in
// Qt's syntax ("Tond files (*.blp *.BLP);;All files (*)"): the names keep their text without
// the listed patterns, the patterns follow in both cases, as names on Linux are case-sensitive.
QString QtFilter(const std::string& filter);

class QtPlatform : public Platform {
 public:
  // Dialogs are centred on `parent` once there is one.
  void SetParent(QWidget* parent) { parent_ = parent; }
  // The audition and the kit editor's samples play here; null while there is no stream.
  void SetPlayer(SoundPlayer* player) { player_ = player; }
  // The program is ending on a signal: nobody is there to answer, so nothing is shown any more,
  // every question is declined and every dialog cancelled.
  void SetEnding() { ending_ = true; }

  void Message(const std::string& text) override;
  bool Confirm(const std::string& text) override;
  void ShowError(const std::string& title, const std::string& text) override;
  SaveAnswer AskToSave(const std::string& text) override;
  std::optional<std::string> OpenFile(const FileDialog& dialog) override;
  std::vector<std::string> OpenFiles(const FileDialog& dialog) override;
  std::optional<std::string> SaveFile(const FileDialog& dialog) override;
  std::optional<std::string> ChooseFolder(const std::string& title,
                                          const std::string& start) override;
  void Busy(bool busy) override;
  void PlaySound(const std::string& path) override;
  void StopSound() override;
  bool StartProgram(const std::string& program, const std::string& argument) override;
  std::optional<Pattern> ReadPicture(const std::string& path) override;

 private:
  // The file dialog of the program's file commands; nothing when cancelled.
  std::vector<std::string> Files(const FileDialog& dialog, bool save, bool many);

  QWidget* parent_ = nullptr;
  SoundPlayer* player_ = nullptr;
  bool ending_ = false;
};

}  // namespace tond
