// tond render, and what the commands say about files and arguments they cannot use.
#include "app/Cli.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <sstream>

#include "RunTond.h"
#include "app/qt/Program.h"
#include "engine/Engine.h"
#include "engine/Export.h"
#include "support/SessionFixture.h"

namespace tond {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using Cases = std::vector<std::pair<std::string, std::string>>;

// What the window's Export writes after loading `file` (with drums.kit when it is a pattern file)
// and selecting `pattern`.
Bytes WindowExport(const test::CliScene& scene, const std::string& file, int pattern = 0,
                   std::uint8_t interpolation = kLinear, double volume = 80) {
  test::SessionFixture s;
  const fs::path previous = fs::current_path();
  fs::current_path(scene.dir.Path());  // relative sample paths resolve against the working folder
  s.session.Drop({scene.File(file)});
  if (file == "song.blp")
    s.session.SelectPattern(pattern);
  else
    s.session.Drop({scene.File("drums.kit")});
  fs::current_path(previous);
  s.session.SetInterpolation(interpolation);
  s.session.SetVolume(volume);
  EXPECT_TRUE(s.session.ExportWaveFile(scene.File("reference.wav")));
  return scene.Read("reference.wav");
}

TEST(Cli, RenderWritesWhatTheExportWrites) {
  test::CliScene scene;
  // A missing sample is no failure: the file is written, and the exit status says what is
  // missing.
  const std::string gone =
      "tond render: Unable to read the file:\n " + std::string(scene.kGone) +
      "\nNo such file or directory\ntond render: 1 of 3 samples could not be read\n";
  auto render = [&](const std::string& input, const std::string& options) {
    auto r = scene.Tond("render " + input + " -o out.wav " + options);
    EXPECT_EQ(r.exitCode, cli::kExitUnreadSamples);
    EXPECT_EQ(r.err, gone);
    return scene.Read("out.wav");
  };
  const std::string beat = "beat.pat --kit drums.kit";
  Bytes linear = render(beat, "");
  EXPECT_EQ(linear, WindowExport(scene, "beat.pat"));
  EXPECT_NE(linear, Bytes(linear.size(), 0));
  Bytes truncated = render(beat, "--interpolation truncate --volume 37");
  EXPECT_EQ(truncated, WindowExport(scene, "beat.pat", 0, kTruncate, 37));
  EXPECT_NE(truncated, linear);
  EXPECT_EQ(render(beat, "--interpolation=quadratic"),
            WindowExport(scene, "beat.pat", 0, kQuadratic));
  // Normalisation hides the volume, except that nothing is left at 0.
  Bytes silent = render(beat, "--volume 0");
  ASSERT_EQ(silent.size(), linear.size());
  EXPECT_EQ(Bytes(silent.begin() + 44, silent.end()), Bytes(silent.size() - 44, 0));

  // A project plays its pattern N with its own kit.
  Bytes third = render("song.blp", "--pattern 3");
  EXPECT_EQ(third.size(), linear.size());
  EXPECT_EQ(third, WindowExport(scene, "song.blp", 3));
  EXPECT_EQ(render("song.blp", "").size(), 44u + ExportFrames(133) * 4u);
  // A song of one pattern is that pattern's export; longer ones are their passes back to back.
  EXPECT_EQ(render("song.blp", "--patterns 3"), third);
  EXPECT_EQ(render("song.blp", "--patterns 0,3,0 --loops 2").size(),
            44u + (4 * ExportFrames(133) + 2 * ExportFrames(350)) * 4u);
  // A song no wave file could hold is refused before gigabytes are rendered for it.
  std::string zeros = "0";
  for (int i = 1; i < 256; ++i) zeros += ",0";
  auto r = scene.Tond("render song.blp -o long.wav --loops 99 --patterns " + zeros);
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("the song is longer than a wave file can hold"), std::string::npos);
}

TEST(Cli, UnreadableInputsAndUnwritableOutputsFailWithTheirMessages) {
  test::CliScene scene;
  const Bytes whole = scene.Read("song.blp");
  test::WriteBytes(scene.File("cut.blp"), Bytes(whole.begin(), whole.end() - 1));
  // The system's reason follows where it gave one.
  const std::string missing = "\nNo such file or directory";
  for (const auto& [input, file] : Cases{{"missing.pat --kit drums.kit", "missing.pat" + missing},
                                         {"cut.blp", "cut.blp"},
                                         {"beat.pat --kit missing.kit", "missing.kit" + missing}}) {
    auto r = scene.Tond("render " + input + " -o x.wav");
    EXPECT_EQ(r.exitCode, 1) << input;
    EXPECT_EQ(r.err, "tond render: Error: unable to load the file:\n " + file + "\n") << input;
  }
  auto r = scene.Tond("render drums.kit --kit drums.kit -o x.wav");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "tond render: Error: this is not a Tond pattern file:\n drums.kit\n");
  EXPECT_FALSE(fs::exists(scene.File("x.wav")));

  r = scene.Tond("render song.blp -o beat.pat/x.wav");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "tond render: Unable to read the file:\n " + std::string(scene.kGone) + missing +
                       "\ntond render: Error: unable to save the file:\n beat.pat/x.wav\nNot a "
                       "directory\n");
}

TEST(Cli, OutputGoesToStandardOutputButNeverOverAnInput) {
  test::CliScene scene;
  // "-" is standard output, which then holds the file alone.
  for (const std::string& line :
       {std::string("render beat.pat --kit drums.kit -o "), std::string("midi song.blp -o ")}) {
    auto piped = scene.Tond(line + "-");
    EXPECT_NE(piped.exitCode, 1) << line;  // (the render misses a sample)
    ASSERT_NE(scene.Tond(line + "out.file").exitCode, 1);
    EXPECT_EQ(Bytes(piped.out.begin(), piped.out.end()), scene.Read("out.file")) << line;
  }

  // No input is written over, whatever its name: the input, the kit, a sample it names.
  const Bytes song = scene.Read("song.blp"), drums = scene.Read("drums.kit"),
              tone = scene.Read("a.wav");
  for (const char* line :
       {"render ./song.blp -o song.blp",
        "render beat.pat --kit drums.kit -o "
        "drums.kit",
        "render song.blp -o a.wav", "midi song.blp -o a.wav", "kit --add a.wav -o ./a.wav"}) {
    auto r = scene.Tond(line);
    EXPECT_EQ(r.exitCode, 1) << line;
    EXPECT_NE(r.err.find("refusing to write over an input"), std::string::npos) << r.err;
  }
  EXPECT_EQ(scene.Read("song.blp"), song);
  EXPECT_EQ(scene.Read("drums.kit"), drums);
  EXPECT_EQ(scene.Read("a.wav"), tone);

  // A name that does not fit what is written is only warned about.
  auto r = scene.Tond("midi song.blp -o song.wav");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.err.find("warning: song.wav does not end in .mid or .midi"), std::string::npos);
}

TEST(Cli, ArgumentsThatDoNotFitAreRefusedWithTheProblemAndTheUsage) {
  test::TondFolder folder;
  // The arguments and the problem named before the command's usage.
  for (const auto& [line, problem] : Cases{
           {"render b.pat --kit k", "missing -o OUT.wav"},
           {"render --kit k -o x.wav", "missing INPUT.pat or INPUT.blp"},
           {"render b.pat -o x.wav", "missing --kit KIT.kit"},
           {"render b.pat c.pat", "unexpected argument 'c.pat'"},
           {"render b.pat --kit k -o x.wav --volume 101", "volume must be a number from 0 to 100"},
           {"render b.pat --kit k -o x.wav --volume 8O", "volume must be a number from 0 to 100"},
           {"render b.pat --kit k -o x.wav --interpolation cubic", "unknown interpolation 'cubic'"},
           {"render b.pat --fast", "unknown option '--fast'"},
           {"render b.pat -o x.wav -o y.wav", "option '-o' given twice"},
           {"render b.pat --kit k -o", "option '-o' needs a value"},
           {"render s.BLP --pattern 16 -o x.wav", "pattern must be a number from 0 to 15"},
           {"render s.blp --kit k -o x.wav", "a project brings its own kit"},
           {"render b.pat --kit k --pattern 2 -o x.wav", "--pattern needs INPUT.blp"},
           {"render b.pat --kit k --patterns 2 -o x.wav", "--patterns needs INPUT.blp"},
           {"render s.blp --patterns 1,,2 -o x.wav",
            "patterns must be a list of at most 256 numbers from 0 to 15, such as 0,1,1,2"},
           {"render s.blp --loops 0 -o x.wav", "loops must be a whole number from 1 to 99"},
           {"import p.bmp -o x.pat --threshold 256",
            "threshold must be a whole number from 0 to 255"},
           {"midi b.pat -o x.mid", "missing --kit KIT.kit"},
           {"midi b.pat --pattern 2 -o x.mid", "--pattern is for project files"},
           {"midi s.blp --kit k -o x.mid",
            "--kit is for pattern files; a project names its samples"},
           {"midi s.blp --pattern -1 -o x.mid", "pattern must be a number from 0 to 15"},
           {"midi s.blp -o x.mid --output y.mid", "output given twice"},
           {"play a.pat --pattern 1", "--pattern needs INPUT.blp"},
           {"play a.blp --seconds 0", "seconds must be a number above 0 and at most 86400 (a day)"},
           {"play a.blp --seconds 1e300",
            "seconds must be a number above 0 and at most 86400 (a day)"},
           {"play a.blp --record --record", "option '--record' given twice"},
           {"import -o x.pat", "missing PICTURE"},
           {"import p.bmp -o x.pat --tempo nan", "tempo must be a number from 1 to 350"},
           {"import p.bmp -o x.pat --tempo 0", "tempo must be a number from 1 to 350"},
           {"import p.bmp -o x.pat --tempo 351", "tempo must be a number from 1 to 350"},
           {"info", "missing FILE"}}) {
    auto r = folder.Tond(line);
    EXPECT_EQ(r.exitCode, 2) << line;
    const std::string command = line.substr(0, line.find(' '));
    const std::string expected = "tond " + command + ": " + problem + "\nUsage: tond " + command;
    EXPECT_EQ(r.err.rfind(expected + " ", 0), 0u) << r.err;
  }
  auto r = folder.Tond("bogus");
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(r.err.rfind("tond: unknown command or option 'bogus'\nUsage: tond COMMAND", 0), 0u);

  // Without a command tond opens the window; without a display it says so in one line, for a
  // file to open too.
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) unsetenv(name);
  for (const char* line : {"", "song.blp"}) {
    r = folder.Tond(line);
    EXPECT_EQ(r.exitCode, kExitNoDisplay);
    EXPECT_EQ(r.err, std::string(kNoDisplayMessage) + "\n");
  }

  r = folder.Tond("--version");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "Tond 1.02\n");
  r = folder.Tond("--help");
  EXPECT_EQ(r.exitCode, 0);
  // Each command listed has a help of its own with an example (a new command may lack one).
  std::istringstream listed(r.out.substr(r.out.find("Commands:\n") + 10));
  int commands = 0;
  for (std::string line; std::getline(listed, line) && !line.empty(); ++commands) {
    const std::string name = line.substr(2, line.find(' ', 2) - 2);
    const std::string help = folder.Tond(name + " --help").out;
    EXPECT_NE(help.find("\nExample: tond " + name), std::string::npos) << help;
  }
  EXPECT_GE(commands, 6);
  r = folder.Tond("midi x --help");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out.rfind("Usage: tond midi INPUT.pat --kit KIT.kit -o OUT.mid", 0), 0u);
}

}  // namespace
}  // namespace tond
