#include "app/qt/TondApp.h"

#include <unistd.h>

#include <QDateTime>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <filesystem>
#include <system_error>

#include "engine/AudioStream.h"
#include "engine/Engine.h"
#include "session/Session.h"

namespace tond {

namespace fs = std::filesystem;

namespace {

struct DataFolder {
  const char* name;
  std::string Folders::*path;
  const char* failure;
};

// In the order start-up creates them.
const DataFolder kDataFolders[] = {
    {"Patterns", &Folders::patterns, "Unable to create the 'Patterns' folder !"},
    {"Filters", &Folders::filters, "Unable to create the 'Filters' folder !"},
    {"Waves", &Folders::waves, "Unable to create the 'Waves' folder !"},
    {"Output", &Folders::output, "Unable to create the 'Output' folder !"},
    {"Kits", &Folders::kits, "Unable to create the 'Kits' folder !"},
    {"Projects", &Folders::projects, "Unable to create the 'Projects' folder !"},
    {"Pictures", &Folders::pictures, "Unable to create the 'Pictures' folder !"},
    {"Midi", &Folders::midi, "Unable to create the 'Midi' folder !"},
};

// The default kit's folder is named in lower case; the Kits data folder is the same folder.
constexpr const char* kDefaultKitFolder = "kits";

std::string WithSeparator(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

bool Exists(const fs::path& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

// Copies the files shipped in `from` (filters, the demo project) into a data folder that was
// just made in the user's data location. Failures are silent: the folder works without them.
void CopyShippedFiles(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  if (!fs::is_directory(from, ec)) return;
  for (const fs::directory_entry& entry : fs::directory_iterator(from, ec)) {
    std::error_code fileError;
    if (entry.is_regular_file(fileError))
      fs::copy_file(entry.path(), to / entry.path().filename(), fs::copy_options::skip_existing,
                    fileError);
  }
}

}  // namespace

std::string ExecutableFolder() {
  std::error_code ec;
  fs::path executable = fs::read_symlink("/proc/self/exe", ec);
  if (ec || executable.empty()) return {};
  return WithSeparator(executable.parent_path().string());
}

CTondApp::CTondApp(Platform& platform) : CTondApp(platform, Options()) {}

CTondApp::CTondApp(Platform& platform, Options options)
    : platform_(platform),
      options_(std::move(options)),
      session_(std::make_unique<Session>(platform_, settings, folders)) {}

CTondApp::~CTondApp() {
  ShutDown();
}

void CTondApp::FindProgramFolder() {
  std::string folder = options_.programFolder.empty() ? ExecutableFolder() : options_.programFolder;
  std::error_code ec;
  // Relative sample paths are looked for where the user started the program first.
  if (folders.launch.empty()) folders.launch = fs::current_path(ec).string();
  if (folder.empty()) folder = fs::current_path(ec).string();
  fs::path absolute = fs::absolute(folder, ec);
  if (!ec) folder = absolute.lexically_normal().string();
  folders.program = WithSeparator(folder);
  fs::current_path(folders.program, ec);

  // An installed program cannot write beside itself: its data folders go to the user's data
  // location, while the working folder stays the program folder, where the default kit's samples
  // are found.
  dataRoot_ = folders.program;
  if (access(folders.program.c_str(), W_OK) != 0) {
    std::string user = options_.userDataFolder;
    if (user.empty()) {
      user = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString();
      if (!user.empty()) user += "/Quarnel/Tond";
    }
    if (!user.empty()) {
      fs::create_directories(user, ec);
      dataRoot_ = WithSeparator(user);
    }
  }
}

void CTondApp::ComposeDataFolders() {
  for (const DataFolder& folder : kDataFolders) folders.*folder.path = dataRoot_ + folder.name;
}

void CTondApp::CreateDataFolders() {
  const bool besideProgram = dataRoot_ == folders.program;
  for (const DataFolder& folder : kDataFolders) {
    const fs::path path = folders.*folder.path;
    if (Exists(path)) continue;  // a file of that name counts as present
    std::error_code ec;
    const bool isKits = folder.path == &Folders::kits;
    const fs::path lowerCase = fs::path(folders.program) / kDefaultKitFolder;
    bool made = false;
    if (isKits && besideProgram && Exists(lowerCase)) {
      // The shipped "kits" folder is the Kits folder: the kit dialogs start beside the default kit.
      fs::create_directory_symlink(kDefaultKitFolder, path, ec);
      made = !ec;
    } else {
      made = fs::create_directory(path, ec);
      if (made && isKits && besideProgram) fs::create_directory_symlink(folder.name, lowerCase, ec);
      if (made && !besideProgram && !isKits)
        CopyShippedFiles(fs::path(folders.program) / folder.name, path);
    }
    if (!made) platform_.Message(folder.failure);
  }
}

void CTondApp::StartUp() {
  if (started_) return;
  started_ = true;
  FindProgramFolder();
  // There is no component layer to start and no clipboard format to register here: pictures
  // decode without one, and the colour buttons drag their colours as their own data type.
  stream_ = std::make_unique<AudioStream>();  // initialises the audio library
  settings = Settings();
  settings.audioDevice = stream_->DefaultDeviceName();
  ComposeDataFolders();
  CreateDataFolders();
  if (std::unique_ptr<QSettings> store = OpenSettingsStore()) LoadSettings(*store, settings);

  Engine& engine = GetEngine();
  engine.playing = false;
  engine.muted = false;
  session_->SetInterpolation(settings.interpolation);
  // Without a device or a stream the program runs silent, and the status line says why. A card
  // that is gone is played around; the setting stays for when it comes back.
  const std::string& wanted = options_.device.empty() ? settings.audioDevice : options_.device;
  const std::string device = stream_->DeviceFor(wanted);
  const bool playing =
      stream_->Open(engine, device, settings.bufferSize, settings.numberOfBuffers) &&
      stream_->Start();
  if (device.empty())
    notice_ = kNoDeviceNotice;
  else if (!playing)
    notice_ = FormatMessage(kDeviceFailedNotice, device);
  else if (device != wanted)
    notice_ = "The audio device \"" + wanted + "\" is not there: Tond plays through \"" + device +
              "\".";
  session_->SetRecorder(&stream_->GetRecorder());
}

void CTondApp::ShutDown() {
  if (!started_ || !stream_) return;
  stream_->Stop();
  stream_->GetRecorder().Stop();  // no buffer reaches the recorder any more: the file is whole
  stream_->GetPlayer().Stop();
  stream_->Close();
  session_->SetRecorder(nullptr);
  stream_.reset();  // terminates the audio library
  GetEngine().playing = false;
  if (std::unique_ptr<QSettings> store = OpenSettingsStore()) SaveSettings(*store, settings);
}

std::string CTondApp::RecoveryPath() const {
  const std::string stem = folders.projects + "/" + kRecoveryStem;
  std::string path = stem + ".blp";
  for (int n = 2; Exists(path) && n < 100; ++n) path = stem + " " + std::to_string(n) + ".blp";
  return path;
}

std::string CTondApp::ClaimRecovery() {
  std::error_code ec;
  std::string notice;
  for (const fs::directory_entry& entry : fs::directory_iterator(folders.projects, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(kRecoveryStem, 0) != 0 || entry.path().extension() != ".blp") continue;
    // Named after the moment it was written, so that the next recovery never overwrites it.
    const QDateTime when = QFileInfo(QString::fromStdString(entry.path().string())).lastModified();
    std::string claimed = "recovered " + when.toString("yyyy-MM-dd HH.mm.ss").toStdString();
    fs::path target = entry.path().parent_path() / (claimed + ".blp");
    for (int n = 2; Exists(target); ++n)
      target = entry.path().parent_path() / (claimed + " " + std::to_string(n) + ".blp");
    std::error_code renameError;
    fs::rename(entry.path(), target, renameError);
    notice = FormatMessage(kRecoveryNotice, renameError ? name : target.filename().string());
  }
  return notice;
}

std::string CTondApp::DefaultKitPath() const {
  return folders.program + kDefaultKitFolder + "/default.kit";
}

Engine& CTondApp::GetEngine() {
  return session_->GetEngine();
}

Recorder& CTondApp::GetRecorder() {
  return stream_->GetRecorder();
}

SoundPlayer& CTondApp::GetPlayer() {
  return stream_->GetPlayer();
}

}  // namespace tond
