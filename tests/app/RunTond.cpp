#include "RunTond.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "files/PatternFile.h"
#include "files/ProjectFile.h"
#include "kit/Kit.h"
#include "model/Project.h"

namespace tond::test {

pid_t StartTond(const std::string& program, std::vector<std::string> args,
                const std::string& workDir, const std::string& out, const std::string& err) {
  args.insert(args.begin(), program);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    int outFd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int errFd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int in = open("/dev/null", O_RDONLY);
    if (outFd < 0 || errFd < 0 || in < 0 || chdir(workDir.c_str()) != 0) _exit(127);
    dup2(in, 0), dup2(outFd, 1), dup2(errFd, 2);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  return pid;
}

int WaitTond(pid_t pid, int seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TondResult RunTond(const std::vector<std::string>& args, const std::string& workDir) {
  const char* binary = std::getenv("TOND_BINARY");
  if (!binary) throw std::runtime_error("TOND_BINARY is not set");
  TempDir captures;
  const std::string out = captures.File("out"), err = captures.File("err");
  TondResult result;
  result.exitCode = WaitTond(StartTond(binary, args, workDir, out, err), 60);
  result.out = ReadText(out);
  result.err = ReadText(err);
  return result;
}

TondResult TondFolder::Tond(const std::string& line) const {
  std::vector<std::string> args;
  std::istringstream words(line);
  for (std::string word; words >> word;) args.push_back(word);
  return RunTond(args, dir.Path().string());
}

std::string TondFolder::Tone(const std::string& name, int frames, double period) const {
  std::vector<std::int16_t> samples;
  for (int i = 0; i < frames; ++i)
    samples.push_back(
        static_cast<std::int16_t>(20000 * std::sin(i * 6.283185 / period) * (frames - i) / frames));
  WriteBytes(File(name), MakeWave16(samples));
  return File(name);
}

std::string TondFolder::Kit(const std::string& name, const std::vector<std::string>& samples,
                            bool loop) const {
  auto kit = std::make_unique<CKit>();
  for (std::size_t slot = 0; slot < samples.size(); ++slot) {
    (*kit)[static_cast<int>(slot)].samplePath = samples[slot];
    (*kit)[static_cast<int>(slot)].loop = loop;
  }
  if (!kit->Save(File(name))) throw std::runtime_error("cannot write " + File(name));
  return File(name);
}

std::string TondFolder::PatternFile(const std::string& name, const Pattern& cells,
                                    double tempo) const {
  WriteBytes(File(name), EncodePatternFile(cells, tempo));
  return File(name);
}

CliScene::CliScene() {
  Tone("a.wav", 2000, 37.3);
  WaveParts stereo;
  stereo.channels = 2, stereo.sampleRate = 22050, stereo.unityNote = 48;
  stereo.data = Bytes(12, 0x11);
  WriteBytes(File("b.wav"), MakeWave(stereo));
  Kit("drums.kit", {File("a.wav"), "b.wav", kGone});
  for (int c = 0; c < kColumns; c += 3) beat[CellIndex(c, 0)] = MakeCell(200, 40, 0);
  for (int c = 1; c < kColumns; c += 4) beat[CellIndex(c, 1)] = MakeCell(255, 200, 230);
  for (int c = 0; c < kColumns; c += 8) beat[CellIndex(c, 2)] = MakeCell(255, 128, 128);
  PatternFile("beat.pat", beat, 500);

  auto project = std::make_unique<Project>();
  project->kit[0].samplePath = File("a.wav");
  project->kit[0].loop = true;
  project->kit[1].samplePath = "b.wav";
  project->kit[1].fade = true;
  project->kit[2].samplePath = kGone;
  for (int c = 1; c < kColumns; c += 5) third[CellIndex(c, 0)] = MakeCell(90, 200, 255);
  for (int c = 0; c < kColumns; c += 4) third[CellIndex(c, 1)] = MakeCell(255, 128, 0);
  project->SetStoredPattern(0, beat);
  project->SetTempo(0, 133);
  project->SetStoredPattern(3, third);
  project->SetTempo(3, 500);
  WriteBytes(File("song.blp"), *EncodeProjectFile(*project));
}

}  // namespace tond::test
