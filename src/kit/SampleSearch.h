#pragma once
#include <string>

namespace tond {

// Where a relative sample path is looked for. Stored kits and projects name their samples
// relative to the folder they were made in, which the user usually starts the program from; a
// kit kept beside its samples, or the files shipped beside the program, must work from anywhere.
struct SampleSearch {
  std::string launch;   // the folder the user started the program in; empty: the working folder
  std::string program;  // the program's folder; empty: not searched

  // The file to read for `samplePath`, named by the kit or project file `namingFile` (may be
  // empty): an absolute path as it is; a relative one in the launch folder, else in the naming
  // file's folder, else in the program folder, the first where it names a file. When none does,
  // the path in the launch folder, so that a message names where it was looked for first.
  std::string Locate(const std::string& samplePath, const std::string& namingFile) const;
};

}  // namespace tond
