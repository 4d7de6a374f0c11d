#pragma once
// Runs the built `tond` program (path in TOND_BINARY) and collects what it printed.
#include <string>
#include <vector>

namespace tond::test {

struct TondResult {
  int exitCode = -1;  // the exit status, or -1 when it crashed or had to be killed
  std::string out;
  std::string err;
};

// Runs `tond args...` in the folder `workDir`; gives up (and fails) after 60 seconds.
TondResult RunTond(const std::vector<std::string>& args, const std::string& workDir);

}  // namespace tond::test
