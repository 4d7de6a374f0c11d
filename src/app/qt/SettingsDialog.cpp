#include "app/qt/SettingsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "app/qt/MidiInput.h"
#include "engine/AudioStream.h"
#include "session/Session.h"
#include "widgets/qt/Look.h"

namespace tond {

namespace {

QComboBox* List(QWidget* parent, const auto& texts, int selected) {
  auto* list = new QComboBox(parent);
  for (const auto& text : texts) list->addItem(QString::fromStdString(std::string(text)));
  list->setCurrentIndex(selected);
  return list;
}

// The button of the function that listens says so, in the highlight colour.
void Show(QPushButton* learn, bool listening) {
  const QSignalBlocker quiet(learn);
  learn->setChecked(listening);
  learn->setText(listening ? "Listening..." : "Learn");
  QPalette palette;  // inherits the window's
  if (listening) {
    palette.setColor(QPalette::Button, learn->parentWidget()->palette().color(QPalette::Highlight));
    palette.setColor(QPalette::ButtonText, Qt::white);
  }
  learn->setPalette(palette);
}

}  // namespace

void RunSettingsDialog(QWidget* parent, Session& session, Settings& settings) {
  std::vector<std::string> devices = AudioStream().OutputDeviceNames();
  SettingsDialog dialog(parent, session, settings, MidiInput::Ports(), std::move(devices));
  dialog.exec();
}

SettingsDialog::SettingsDialog(QWidget* parent, Session& session, Settings& settings,
                               std::vector<std::string> midiPorts,
                               std::vector<std::string> audioDevices)
    : QDialog(parent),
      session_(session),
      settings_(settings),
      audioDevices_(std::move(audioDevices)) {
  setWindowTitle("Settings");
  const SettingsForm form = FormFor(settings, static_cast<int>(midiPorts.size()), audioDevices_);
  auto* grid = new QGridLayout(this);
  int row = 0;
  const auto add = [&](const char* label, QWidget* control, QWidget* beside = nullptr) {
    grid->addWidget(new QLabel(label, this), row, 0);
    grid->addWidget(control, row, 1);
    if (beside) grid->addWidget(beside, row, 2);
    ++row;
  };

  port_ = List(this, midiPorts, form.midiPort);
  add("MIDI port", port_);
  std::vector<std::string> channels;
  for (int c = 1; c <= 16; ++c) channels.push_back(std::to_string(c));
  channel_ = List(this, channels, form.midiChannel);
  add("MIDI channel", channel_);
  for (int f = 0; f < kMidiFunctions; ++f) {
    const auto function = static_cast<MidiFunction>(f);
    controllers_[f] = List(this, ControllerNames(), form.controllers[f]);
    learn_[f] = new QPushButton("Learn", this);
    learn_[f]->setCheckable(true);
    learn_[f]->setToolTip("Move a controller to choose it; Escape stops.");
    connect(learn_[f], &QPushButton::toggled, this,
            [this, function](bool on) { ToggleLearn(function, on); });
    add(FunctionLabel(function), controllers_[f], learn_[f]);
  }
  connect(channel_, &QComboBox::currentIndexChanged, this, [this] {
    if (auto learning = session_.Midi().Learning()) ToggleLearn(*learning, true);
  });
  session_.Midi().onLearned = [this](MidiFunction f, std::uint8_t c) { Learned(f, c); };

  audioDevice_ = List(this, audioDevices_, form.audioDevice);
  add("Audio Device", audioDevice_);
  editor_ = new QLineEdit(QString::fromStdString(form.audioEditor), this);
  browse_ = new QPushButton("...", this);
  browse_->setMaximumWidth(browse_->fontMetrics().horizontalAdvance("....") + 16);
  connect(browse_, &QPushButton::clicked, this, &SettingsDialog::Browse);
  add("Audio Editor", editor_, browse_);
  interpolation_ = List(this, kInterpolationNames, form.interpolation);
  add("Interpolation", interpolation_);
  defaultKit_ = new QCheckBox("Load Default Kit", this);
  defaultKit_->setChecked(form.defaultKit);
  grid->addWidget(defaultKit_, row++, 0, 1, 3);
  confirmations_ = new QCheckBox("Confirmation messages", this);
  confirmations_->setChecked(form.confirmationMessages);
  grid->addWidget(confirmations_, row++, 0, 1, 3);
  ok_ = new QPushButton("Ok", this);
  ok_->setAutoDefault(false);
  connect(ok_, &QPushButton::clicked, this, &SettingsDialog::Store);
  grid->addWidget(ok_, row, 2);
  for (QPushButton* button : learn_) button->setAutoDefault(false);
  browse_->setAutoDefault(false);
  ApplyDarkLook(this);
}

SettingsDialog::~SettingsDialog() {
  StopLearning();
  session_.Midi().onLearned = nullptr;
}

QComboBox* SettingsDialog::Controller(MidiFunction function) const {
  return controllers_[static_cast<std::size_t>(function)];
}

QPushButton* SettingsDialog::LearnButton(MidiFunction function) const {
  return learn_[static_cast<std::size_t>(function)];
}

void SettingsDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && session_.Midi().Learning()) {
    StopLearning();
    return;
  }
  QDialog::keyPressEvent(event);
}

// One function learns at a time, on the channel the dialog shows.
void SettingsDialog::ToggleLearn(MidiFunction function, bool on) {
  if (!on) {
    StopLearning();
    return;
  }
  for (int f = 0; f < kMidiFunctions; ++f) Show(learn_[f], f == static_cast<int>(function));
  session_.Midi().Learn(function, static_cast<std::uint8_t>(std::max(0, channel_->currentIndex())));
}

void SettingsDialog::Learned(MidiFunction function, std::uint8_t controller) {
  Controller(function)->setCurrentIndex(controller);
  StopLearning();
}

void SettingsDialog::StopLearning() {
  session_.Midi().CancelLearn();
  for (QPushButton* button : learn_) Show(button, false);
}

void SettingsDialog::Browse() {
  if (auto path = session_.GetPlatform().OpenFile(AudioEditorDialog(editor_->text().toStdString())))
    editor_->setText(QString::fromStdString(*path));
}

SettingsForm SettingsDialog::Form() const {
  SettingsForm form;
  for (int f = 0; f < kMidiFunctions; ++f) form.controllers[f] = controllers_[f]->currentIndex();
  form.midiPort = port_->currentIndex();
  form.midiChannel = channel_->currentIndex();
  form.audioDevice = audioDevice_->currentIndex();
  form.interpolation = interpolation_->currentIndex();
  form.audioEditor = editor_->text().toStdString();
  form.defaultKit = defaultKit_->isChecked();
  form.confirmationMessages = confirmations_->isChecked();
  return form;
}

void SettingsDialog::Store() {
  StopLearning();
  StoreForm(Form(), audioDevices_, session_, settings_);
  accept();
}

}  // namespace tond
