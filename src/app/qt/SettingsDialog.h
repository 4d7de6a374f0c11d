#pragma once
// The Settings dialog: MIDI port and channel, the seven controllers with a "Learn" button
// each, the audio device and editor, the interpolation and the two check boxes. "Ok" stores
// (SettingsForm); any other way out stores nothing. "Learn" takes the number of the next
// control change on the channel shown; Escape or a second press stops it.
#include <QDialog>
#include <array>
#include <string>
#include <vector>

#include "session/MidiControl.h"
#include "session/Settings.h"
#include "session/SettingsForm.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace tond {

class Session;

// Lists the MIDI ports (MidiInput::Ports) and the audio output devices, runs the dialog.
void RunSettingsDialog(QWidget* parent, Session& session, Settings& settings);

class SettingsDialog : public QDialog {
  Q_OBJECT

 public:
  SettingsDialog(QWidget* parent, Session& session, Settings& settings,
                 std::vector<std::string> midiPorts, std::vector<std::string> audioDevices);
  ~SettingsDialog() override;

  QComboBox* Controller(MidiFunction function) const;
  QPushButton* LearnButton(MidiFunction function) const;
  QComboBox* Channel() const { return channel_; }
  QComboBox* AudioDevice() const { return audioDevice_; }
  QLineEdit* AudioEditor() const { return editor_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* BrowseButton() const { return browse_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  SettingsForm Form() const;
  void ToggleLearn(MidiFunction function, bool on);
  void Learned(MidiFunction function, std::uint8_t controller);
  void StopLearning();
  void Browse();
  void Store();

  Session& session_;
  Settings& settings_;
  std::vector<std::string> audioDevices_;
  QComboBox* port_ = nullptr;
  QComboBox* channel_ = nullptr;
  std::array<QComboBox*, kMidiFunctions> controllers_{};
  std::array<QPushButton*, kMidiFunctions> learn_{};
  QComboBox* audioDevice_ = nullptr;
  QLineEdit* editor_ = nullptr;
  QPushButton* browse_ = nullptr;
  QComboBox* interpolation_ = nullptr;
  QCheckBox* defaultKit_ = nullptr;
  QCheckBox* confirmations_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace tond
