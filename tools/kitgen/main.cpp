// tond_kitgen PROGRAM_FOLDER
// Writes what ships beside the program: the default kit (kits/default.kit and its 64 waves), the
// example filters (Filters/*.pat) and the demo project (Projects/demo.blp). Everything is made
// here with the program's own writers, so the files are exactly what the program writes.
#include <iostream>

#include "DefaultKit.h"
#include "Examples.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "Usage: tond_kitgen PROGRAM_FOLDER\n";
    return 2;
  }
  const std::string folder = argv[1];
  std::vector<tond::kitgen::KitSound> sounds = tond::kitgen::DefaultKitSounds();
  if (!tond::kitgen::WriteDefaultKit(folder, sounds)) {
    std::cerr << "tond_kitgen: unable to write the default kit in " << folder << "\n";
    return 1;
  }
  if (!tond::kitgen::WriteExamples(folder, sounds)) {
    std::cerr << "tond_kitgen: unable to write the examples in " << folder << "\n";
    return 1;
  }
  return 0;
}
