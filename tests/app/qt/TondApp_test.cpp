#include "app/qt/TondApp.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QSettings>
#include <QString>
#include <cstdlib>
#include <filesystem>
#include <regex>

#include "engine/AudioStream.h"
#include "engine/Engine.h"
#include "session/Session.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

namespace tond {
namespace {

namespace fs = std::filesystem;

const char* const kNames[] = {"Patterns", "Filters",  "Waves",    "Output",
                              "Kits",     "Projects", "Pictures", "Midi"};

// A program folder and a settings store of its own; the working folder is put back afterwards.
class TondAppTest : public ::testing::Test {
 protected:
  TondAppTest() {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QString::fromStdString(settingsDir.Path().string()));
    fs::create_directory(program);
  }
  ~TondAppTest() override { fs::current_path(previous_); }

  CTondApp::Options Options() const {
    return {program.string(), (dir.Path() / "user").string(), {}};
  }

  test::TempDir dir, settingsDir;
  const fs::path program = dir.Path() / "program";
  test::ScriptedPlatform notifier;

 private:
  fs::path previous_ = fs::current_path();
};

TEST_F(TondAppTest, CreatesTheDataFoldersBesideTheProgram) {
  test::WriteText((program / "Waves").string(), "a file");  // counts as present
  {
    CTondApp app(notifier, Options());
    app.StartUp();
    EXPECT_EQ(fs::current_path(), fs::canonical(program));
    EXPECT_EQ(app.folders.program, program.string() + "/");
    EXPECT_EQ(app.folders.patterns, program.string() + "/Patterns");
    EXPECT_EQ(app.folders.midi, program.string() + "/Midi");
    EXPECT_EQ(app.DefaultKitPath(), program.string() + "/kits/default.kit");
  }
  EXPECT_TRUE(notifier.messages.empty());
  for (const char* name : kNames)
    EXPECT_EQ(fs::is_directory(program / name), std::string(name) != "Waves") << name;
  // The default kit's folder and the Kits folder are one folder.
  EXPECT_TRUE(fs::equivalent(program / "kits", program / "Kits"));

  // A shipped "kits" folder becomes the Kits folder.
  fs::remove_all(program / "Kits");
  fs::remove_all(program / "kits");
  fs::create_directory(program / "kits");
  CTondApp app(notifier, Options());
  app.StartUp();
  EXPECT_TRUE(notifier.messages.empty());
  EXPECT_TRUE(fs::is_symlink(program / "Kits"));
  EXPECT_TRUE(fs::equivalent(app.folders.kits, program / "kits"));
}

TEST_F(TondAppTest, UncreatableFoldersAreReportedInOrderAndStartUpGoesOn) {
  // A link to nowhere: no file or folder of that name exists, yet none can be made (even as
  // root).
  for (const char* name : kNames) fs::create_symlink(dir.Path() / "nowhere" / name, program / name);
  QSettings(QSettings::IniFormat, QSettings::UserScope, "Quarnel", "Tond")
      .setValue("Audio Settings/interpolation", 2);
  CTondApp app(notifier, Options());
  app.StartUp();
  std::vector<std::string> expected;
  for (const char* name : kNames)
    expected.push_back(std::string("Unable to create the '") + name + "' folder !");
  EXPECT_EQ(notifier.messages, expected);
  // The rest of start-up ran: the settings were read and reached the engine.
  EXPECT_EQ(app.GetEngine().GetInterpolation(), 2);
}

TEST_F(TondAppTest, TheSettingsReachTheEngineAndShutDownWritesThemBackOnce) {
  QSettings(QSettings::IniFormat, QSettings::UserScope, "Quarnel", "Tond")
      .setValue("Audio Settings/interpolation", 2);
  {
    CTondApp app(notifier, Options());
    app.StartUp();
    EXPECT_EQ(app.GetEngine().GetInterpolation(), 2);
    app.GetSession().SetInterpolation(0);
    app.settings.ccBlue = 99;
    app.ShutDown();
    app.settings.ccBlue = 1;  // a second shut-down (the destructor's) writes nothing
  }
  QSettings store(QSettings::IniFormat, QSettings::UserScope, "Quarnel", "Tond");
  EXPECT_EQ(store.value("MIDI Settings/cc blue").toString(), "99");
  EXPECT_EQ(store.value("Audio Settings/interpolation").toString(), "0");
}

TEST_F(TondAppTest, AReadOnlyProgramKeepsItsDataInTheUserFolder) {
  fs::create_directory(program / "Filters");
  test::WriteText((program / "Filters" / "mask.pat").string(), "mask");
  fs::permissions(program, fs::perms::owner_read | fs::perms::owner_exec);
  if (access(program.c_str(), W_OK) == 0) {
    fs::permissions(program, fs::perms::owner_all);
    GTEST_SKIP() << "permissions do not bind this user";
  }
  CTondApp app(notifier, Options());
  app.StartUp();
  fs::permissions(program, fs::perms::owner_all);
  EXPECT_TRUE(notifier.messages.empty());
  EXPECT_EQ(fs::current_path(), fs::canonical(program));
  EXPECT_EQ(app.folders.filters, (dir.Path() / "user" / "Filters").string());
  EXPECT_TRUE(fs::exists(dir.Path() / "user" / "Filters" / "mask.pat"));  // shipped files copied
  EXPECT_EQ(app.DefaultKitPath(), program.string() + "/kits/default.kit");
}

TEST_F(TondAppTest, ACardThatIsGoneIsPlayedAroundAndTheSettingKept) {
  if (std::getenv("JACK_DEFAULT_SERVER") == nullptr) GTEST_SKIP() << "needs the test audio devices";
  QSettings(QSettings::IniFormat, QSettings::UserScope, "Quarnel", "Tond")
      .setValue("Audio Settings/audio device", "Gone Card");
  {
    CTondApp app(notifier, Options());
    app.StartUp();
    EXPECT_TRUE(app.Stream().IsRunning());
    EXPECT_EQ(app.StartUpNotice(),
              "The audio device \"Gone Card\" is not there: Tond plays through \"" +
                  app.Stream().DefaultDeviceName() + "\".");
  }
  QSettings store(QSettings::IniFormat, QSettings::UserScope, "Quarnel", "Tond");
  EXPECT_EQ(store.value("Audio Settings/audio device").toString(), "Gone Card");
}

TEST_F(TondAppTest, ARecoveryProjectIsNamedOnceAtTheNextStartAndNeverOverwritten) {
  CTondApp app(notifier, Options());
  app.StartUp();
  const std::string first = app.RecoveryPath();
  EXPECT_EQ(first, app.folders.projects + "/recovery.blp");
  ASSERT_TRUE(app.GetSession().SaveRecovery(first));
  EXPECT_EQ(app.RecoveryPath(), app.folders.projects + "/recovery 2.blp");

  const std::string notice = app.ClaimRecovery();
  std::smatch named;
  ASSERT_TRUE(std::regex_match(notice, named,
                               std::regex("The unsaved changes of the last session are in the "
                                          "Projects folder as \"(recovered [0-9-]{10} "
                                          "[0-9.]{8}\\.blp)\"\\.")))
      << notice;
  EXPECT_TRUE(fs::exists(fs::path(app.folders.projects) / named[1].str()));
  EXPECT_FALSE(fs::exists(first));
  EXPECT_EQ(app.ClaimRecovery(), "");
}

}  // namespace
}  // namespace tond
