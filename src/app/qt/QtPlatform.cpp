#include "app/qt/QtPlatform.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QStringList>
#include <iostream>

#include "engine/SoundPlayer.h"
#include "files/qt/PictureImport.h"

namespace tond {

namespace {

// "Tond files (*.blp)" or "JPEG files [*.jpg]": the name without its listed patterns.
QString FilterName(QString name) {
  name = name.trimmed();
  if (name.endsWith(')') || name.endsWith(']')) {
    const qsizetype open = name.lastIndexOf(name.endsWith(')') ? '(' : '[');
    if (open > 0) name = name.left(open).trimmed();
  }
  return name;
}

// "*.blp" gives "*.blp *.BLP"; "*.*" every file.
QString FilterPatterns(const QString& patterns) {
  QStringList out;
  for (QString pattern : patterns.split(';', Qt::SkipEmptyParts)) {
    pattern = pattern.trimmed();
    if (pattern == "*.*" || pattern == "*") {
      out << "*";
      continue;
    }
    if (pattern.startsWith('.')) pattern.prepend('*');
    out << pattern.toLower();
    if (pattern.toUpper() != pattern.toLower()) out << pattern.toUpper();
  }
  out.removeDuplicates();
  return out.join(' ');
}

// The file dialog of the program's file commands: starts in the folder, or on the file last
// chosen there, with the first entry of the filter selected; nothing when cancelled.
std::vector<std::string> Run(QWidget* parent, const FileDialog& d, QFileDialog::AcceptMode mode,
                             QFileDialog::FileMode files) {
  QFileDialog dialog(parent);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(files);
  dialog.setNameFilters(QtFilter(d.filter).split(";;"));
  QString suffix = QString::fromStdString(d.defaultExtension);
  if (suffix.startsWith("*.")) suffix = suffix.mid(2);
  dialog.setDefaultSuffix(suffix);
  const QFileInfo start(QString::fromStdString(d.start));
  if (start.isDir() || d.start.empty()) {
    dialog.setDirectory(start.absoluteFilePath());
  } else {
    dialog.setDirectory(start.absolutePath());
    dialog.selectFile(start.fileName());
  }
  std::vector<std::string> chosen;
  if (dialog.exec() != QDialog::Accepted) return chosen;
  for (const QString& path : dialog.selectedFiles()) chosen.push_back(path.toStdString());
  return chosen;
}

}  // namespace

QString QtFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].isEmpty()) break;
    entries << FilterName(parts[i]) + " (" + FilterPatterns(parts[i + 1]) + ")";
  }
  return entries.join(";;");
}

void QtPlatform::Message(const std::string& text) {
  if (ending_) {
    std::cerr << text << std::endl;
    return;
  }
  QMessageBox::information(parent_, kMessageTitle, QString::fromStdString(text));
}

void QtPlatform::ShowError(const std::string& title, const std::string& text) {
  if (ending_) {
    std::cerr << text << std::endl;
    return;
  }
  QMessageBox::critical(parent_, QString::fromStdString(title), QString::fromStdString(text));
}

bool QtPlatform::Confirm(const std::string& text) {
  if (ending_) return false;
  return QMessageBox::question(parent_, kMessageTitle, QString::fromStdString(text),
                               QMessageBox::Ok | QMessageBox::Cancel,
                               QMessageBox::Ok) == QMessageBox::Ok;
}

SaveAnswer QtPlatform::AskToSave(const std::string& text) {
  if (ending_) return SaveAnswer::kCancel;
  const auto answer = QMessageBox::question(
      parent_, kMessageTitle, QString::fromStdString(text),
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
  // Only the two buttons that say so go on; closing the box keeps everything.
  if (ending_) return SaveAnswer::kCancel;
  return answer == QMessageBox::Save      ? SaveAnswer::kSave
         : answer == QMessageBox::Discard ? SaveAnswer::kDiscard
                                          : SaveAnswer::kCancel;
}

std::optional<std::string> QtPlatform::OpenFile(const FileDialog& dialog) {
  std::vector<std::string> chosen = Files(dialog, false, false);
  if (chosen.empty()) return std::nullopt;
  return chosen.front();
}

std::vector<std::string> QtPlatform::OpenFiles(const FileDialog& dialog) {
  return Files(dialog, false, true);
}

std::optional<std::string> QtPlatform::SaveFile(const FileDialog& dialog) {
  std::vector<std::string> chosen = Files(dialog, true, false);
  if (chosen.empty()) return std::nullopt;
  return chosen.front();
}

std::vector<std::string> QtPlatform::Files(const FileDialog& d, bool save, bool many) {
  if (ending_) return {};
  std::vector<std::string> chosen =
      Run(parent_, d, save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen,
          save   ? QFileDialog::AnyFile
          : many ? QFileDialog::ExistingFiles
                 : QFileDialog::ExistingFile);
  if (ending_) return {};  // a signal came while the dialog was open
  return chosen;
}

std::optional<std::string> QtPlatform::ChooseFolder(const std::string& title,
                                                    const std::string& start) {
  if (ending_) return std::nullopt;
  const QString folder = QFileDialog::getExistingDirectory(parent_, QString::fromStdString(title),
                                                           QString::fromStdString(start));
  if (folder.isEmpty() || ending_) return std::nullopt;
  return folder.toStdString();
}

void QtPlatform::Busy(bool busy) {
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void QtPlatform::PlaySound(const std::string& path) {
  if (player_ != nullptr && !ending_) player_->Play(path, this);
}

void QtPlatform::StopSound() {
  if (player_ != nullptr) player_->Stop();
}

bool QtPlatform::StartProgram(const std::string& program, const std::string& argument) {
  if (ending_) return false;
  return QProcess::startDetached(QString::fromStdString(program),
                                 {QString::fromStdString(argument)});
}

std::optional<Pattern> QtPlatform::ReadPicture(const std::string& path) {
  return ReadPicturePattern(path);
}

}  // namespace tond
