#pragma once
// The `tond` command line: a table of subcommands, each in a file of its own (CliRender.cpp,
// ...). Messages go to standard error through a StreamPlatform, in the texts the window shows.
#include <iosfwd>
#include <string>
#include <vector>

namespace tond::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // bad input or a file that could not be written
inline constexpr int kExitUsage = 2;    // unknown option or missing argument
// Finished (the file written, the pattern played), but samples could not be read.
inline constexpr int kExitUnreadSamples = 3;

using Args = std::vector<std::string>;

struct Streams {
  std::ostream& out;
  std::ostream& err;
};

struct Subcommand {
  const char* name;
  const char* synopsis;                       // the arguments, shown after "tond NAME"
  const char* summary;                        // what it does, for its own --help
  const char* brief;                          // a few words, for the list of `tond --help`
  int (*run)(const Args& args, Streams& io);  // args without the subcommand's name
};

// Every subcommand, in the order the usage text lists them.
const std::vector<Subcommand>& Subcommands();
// The table entry of a subcommand, found by its function.
const Subcommand& CommandOf(int (*run)(const Args& args, Streams& io));

std::string Usage();
std::string Usage(const Subcommand& command);
// What `tond COMMAND --help` prints: the usage, the summary and OptionsHelp.
std::string Help(const Subcommand& command);
// The options of a command with their defaults and ranges, and an example (CliHelp.cpp).
std::string OptionsHelp(const std::string& name);
// Prints "tond COMMAND: PROBLEM" and the usage of the command to err; returns kExitUsage.
int UsageError(const Subcommand& command, const std::string& problem, Streams& io);

// Runs the program with argv[1..]: no argument, or one that names a file, opens the window.
int Run(const Args& args, Streams& io);

// Subcommands, one file each (CliRender.cpp, CliImport.cpp, ...); list them in Subcommands().
int RunRender(const Args& args, Streams& io);
int RunInfo(const Args& args, Streams& io);
int RunImport(const Args& args, Streams& io);
int RunMidi(const Args& args, Streams& io);
int RunPlay(const Args& args, Streams& io);
int RunKit(const Args& args, Streams& io);
int RunDevices(const Args& args, Streams& io);

}  // namespace tond::cli
