#include "base/SafeFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <future>
#include <string>

#include "support/TestFiles.h"

namespace tond::test {
namespace {

namespace fs = std::filesystem;

std::size_t Entries(const TempDir& dir) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir.Path()), {}));
}

fs::file_type TypeOf(const std::string& path) {
  return fs::symlink_status(path).type();
}

TEST(SafeFile, DevicesAndPipesAreWrittenInPlaceAndOtherNodesRefused) {
  TempDir dir;
  // A pipe: the bytes reach its reader, and the pipe stays.
  const std::string fifo = dir.File("pipe.wav");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  auto reader = std::async(std::launch::async, [&] { return ReadText(fifo); });
  EXPECT_TRUE(WriteFileSafely(fifo, "sound", 5));
  EXPECT_EQ(reader.get(), "sound");
  EXPECT_EQ(TypeOf(fifo), fs::file_type::fifo);

  // A character device (a null device of our own), where the system lets us make one.
  const std::string device = dir.File("null.wav");
  const bool madeDevice = mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
  if (madeDevice) {
    EXPECT_TRUE(WriteFileSafely(device, "sound", 5));
    EXPECT_EQ(TypeOf(device), fs::file_type::character);
  }

  // Any other node, such as a folder, is refused with a reason, and stays.
  const std::string folder = dir.File("folder.wav");
  fs::create_directory(folder);
  int error = 0;
  EXPECT_FALSE(WriteFileSafely(folder, "sound", 5, &error));
  EXPECT_EQ(error, EISDIR);
  EXPECT_TRUE(fs::is_directory(folder));

  EXPECT_FALSE(WriteFileSafely(dir.File("missing/x.wav"), "sound", 5, &error));
  EXPECT_EQ(error, ENOENT);
  EXPECT_EQ(Entries(dir), madeDevice ? 3u : 2u);  // no temporary file anywhere
}

TEST(SafeFile, AReplacedFileKeepsItsModeAndLinksAreWrittenThrough) {
  TempDir dir;
  const std::string secret = dir.File("secret.pat");
  WriteText(secret, "old");
  ASSERT_EQ(chmod(secret.c_str(), 0600), 0);
  ASSERT_TRUE(WriteFileSafely(secret, "new", 3));
  EXPECT_EQ(ReadText(secret), "new");
  EXPECT_EQ(fs::status(secret).permissions(), fs::perms::owner_read | fs::perms::owner_write);

  // A chain of links, the last one relative, into another folder: the file at its end is
  // replaced there, and every link stays a link.
  fs::create_directory(dir.File("real"));
  const std::string target = dir.File("real/song.blp");
  WriteText(target, "old");
  fs::create_symlink("song.blp", dir.File("real/latest.blp"));
  fs::create_symlink(dir.File("real/latest.blp"), dir.File("song.blp"));
  ASSERT_TRUE(WriteFileSafely(dir.File("song.blp"), "new", 3));
  EXPECT_EQ(ReadText(target), "new");
  EXPECT_EQ(TypeOf(dir.File("song.blp")), fs::file_type::symlink);
  EXPECT_EQ(TypeOf(dir.File("real/latest.blp")), fs::file_type::symlink);

  // A link to a file not there yet creates the file; a loop of links is refused.
  fs::create_symlink("real/later.kit", dir.File("later.kit"));
  ASSERT_TRUE(WriteFileSafely(dir.File("later.kit"), "kit", 3));
  EXPECT_EQ(ReadText(dir.File("real/later.kit")), "kit");
  EXPECT_EQ(TypeOf(dir.File("later.kit")), fs::file_type::symlink);
  fs::create_symlink("loop", dir.File("loop"));
  int error = 0;
  EXPECT_FALSE(WriteFileSafely(dir.File("loop"), "x", 1, &error));
  EXPECT_EQ(error, ELOOP);
  EXPECT_EQ(Entries(dir), 5u);  // secret, real, song, later, loop
}

enum class OwnHandler { kNone, kBefore, kMeanwhile };

// A child that has written part of a file over `path` when it tells the parent so, and then
// waits. With a SIGINT handler of its own, installed before the save begins or meanwhile, it
// finishes the file once that handler has run and exits 0.
pid_t SaveUntilSignalled(const std::string& path, OwnHandler ownHandler, int& ready) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  const pid_t pid = fork();
  if (pid != 0) {
    close(fds[1]);
    ready = fds[0];
    return pid;
  }
  static volatile sig_atomic_t signalled = 0;
  void (*const own)(int) = [](int) { signalled = 1; };
  if (ownHandler == OwnHandler::kBefore) std::signal(SIGINT, own);
  {
    SafeFileWriter writer(path);
    if (ownHandler == OwnHandler::kMeanwhile) std::signal(SIGINT, own);
    const std::string block(1 << 20, 'n');
    for (int i = 0; i < 4; ++i) writer.Write(block);
    (void)!write(fds[1], "r", 1);
    while (!signalled) pause();
    if (!writer.Commit()) _exit(3);
  }
  // The program's handler is still in place.
  struct sigaction now {};
  sigaction(SIGINT, nullptr, &now);
  _exit(now.sa_handler == own ? 0 : 4);
}

TEST(SafeFile, ASignalDuringASaveRemovesTheTemporaryFileOrLeavesItToTheProgram) {
  TempDir dir;
  const std::string path = dir.File("song.wav");
  for (int sig : {SIGINT, SIGTERM}) {
    WriteText(path, "old");
    int ready = -1;
    const pid_t child = SaveUntilSignalled(path, OwnHandler::kNone, ready);
    char byte;
    ASSERT_EQ(read(ready, &byte, 1), 1);
    EXPECT_EQ(Entries(dir), 2u);  // the file and its temporary companion
    kill(child, sig);
    int status = 0;
    waitpid(child, &status, 0);
    close(ready);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << status;
    EXPECT_EQ(ReadText(path), "old");
    EXPECT_EQ(Entries(dir), 1u);
  }

  // A handler the program installed, before the save or during it, is called instead, stays,
  // and the save goes on.
  for (OwnHandler when : {OwnHandler::kBefore, OwnHandler::kMeanwhile}) {
    WriteText(path, "old");
    int ready = -1;
    const pid_t child = SaveUntilSignalled(path, when, ready);
    char byte;
    ASSERT_EQ(read(ready, &byte, 1), 1);
    kill(child, SIGINT);
    int status = 0;
    waitpid(child, &status, 0);
    close(ready);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(fs::file_size(path), 4u << 20);
    EXPECT_EQ(Entries(dir), 1u);
  }
}

}  // namespace
}  // namespace tond::test
