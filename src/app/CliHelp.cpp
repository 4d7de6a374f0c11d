// What `tond COMMAND --help` says after the usage: every option with its default and range, the
// exit status where it says more than success or failure, and one example. Kept by command name,
// so that a command's help stays here whoever adds the command.
#include <map>
#include <string>

#include "app/Cli.h"

namespace tond::cli {

namespace {

// Said by every command that writes a file.
const std::string kOutputRules =
    "The output is never one of the inputs (or a sample they name); a name that does not end as\n"
    "the file it gets is only warned about.\n";

// Said by every command that loads samples.
const std::string kSampleStatus =
    "Relative sample paths are looked for in the current folder, then beside the kit or project\n"
    "file, then beside the program. Exit status: 0 done, 1 failed, 2 usage error, 3 done but\n"
    "samples could not be read (the first 3 are named, then one line counts them).\n";

const std::map<std::string, std::string>& Texts() {
  static const std::map<std::string, std::string> texts = {
      {"render",
       "Options:\n"
       "  --kit KIT.kit          the kit a pattern file plays (needed for .pat; a project brings "
       "its own)\n"
       "  --pattern N            the project's pattern to render, 0-15 (default 0)\n"
       "  --patterns LIST        a song: the project's patterns in order, such as 0,1,1,2, each "
       "one pass\n"
       "                         at its own tempo, back to back (at most 256)\n"
       "  --loops N              plays each pass N times, 1-99 (default 1)\n"
       "  --interpolation MODE   truncate, linear or quadratic (default linear)\n"
       "  --volume V             master volume 0-100 (default 80); heard with --no-normalize\n"
       "  --no-normalize         keeps the engine's levels instead of raising the peak to full "
       "scale,\n"
       "                         so renders keep their relative loudness; what goes beyond full "
       "scale\n"
       "                         is clipped, with a warning\n"
       "  -o, --output OUT.wav   the wave file to write; - writes it to standard output\n" +
           kOutputRules + kSampleStatus +
           "Example: tond render demo.blp --patterns 0,1,1,2 -o song.wav\n"},
      {"info",
       "Prints the tempos and notes of a project's 16 patterns or of a pattern file, the sample "
       "path and\nflags of every slot in use of a project or kit with the frames of its file "
       "(\"missing\" or\n\"not a wave file\" instead), or a wave file's format, frames and root "
       "key. No sample is loaded.\n"
       "Example: tond info demo.blp\n"},
      {"midi",
       "Options:\n"
       "  --kit KIT.kit          the kit whose sample names name the tracks (needed for .pat)\n"
       "  --pattern N            the project's pattern to write, 0-15 (default 0)\n"
       "  -o, --output OUT.mid   the MIDI file to write; - writes it to standard output\n"
       "No sample is loaded: only their names are used.\n" +
           kOutputRules + "Example: tond midi demo.blp --pattern 2 -o beat.mid\n"},
      {"import",
       "Options:\n"
       "  --tempo BPM            the pattern's tempo, 1-350, a fraction cut off (default 120)\n"
       "  --threshold T          0-255 (default 0): pixels whose red, green and blue are all at "
       "or below T\n"
       "                         give empty cells, so a dark background stays silent\n"
       "  -o, --output OUT.pat   the pattern file to write; - writes it to standard output\n"
       "Pictures: JPEG, GIF, BMP, PNG and whatever else the system's picture readers take.\n" +
           kOutputRules +
           "Example: tond import photo.jpg --threshold 40 --tempo 96 -o photo.pat\n"},
      {"play",
       "Options:\n"
       "  --kit KIT.kit          the kit a pattern file plays (default: the default kit)\n"
       "  --pattern N            the project's pattern to play, 0-15 (default 0)\n"
       "  --seconds S            stops after S seconds, more than 0 and at most 86400\n"
       "                         (default: until Ctrl+C)\n"
       "  --volume V             master volume 0-100 (default 80)\n"
       "  --device NAME          the audio output device (default: the \"audio device\" "
       "setting;\n"
       "                         'tond devices' lists them)\n"
       "  --record               records into the Output folder and prints the file's name\n" +
           kSampleStatus + "Exit status 1 also when the recording failed.\n" +
           "Example: tond play demo.blp --pattern 1 --seconds 30 --volume 60\n"},
      {"kit",
       "Options (one of --folder, --random, --slice, --add):\n"
       "  --folder DIR           the first 64 waves of DIR by name\n"
       "  --random ROOT          64 waves drawn at random under ROOT\n"
       "  --seed N               the draw's seed, 0-4294967295 (default: a new one, printed)\n"
       "  --slice LONG.wav       64 slices of LONG.wav, written beside it as NAME_kit01.wav ...\n"
       "  --replace              replaces slices already there (default: refuse)\n"
       "  --add WAV...           the waves into the first empty slots\n"
       "  --kit IN.kit           the kit --add adds to (default: an empty kit)\n"
       "  -o, --output OUT.kit   the kit file to write; - writes it to standard output\n" +
           kOutputRules + "Example: tond kit --folder ~/samples/drums -o drums.kit\n"},
      {"devices",
       "Lists the audio output devices, as the \"audio device\" setting and 'tond play --device' "
       "name\nthem, the default marked, and the MIDI inputs with the index the \"MIDI IN port\" "
       "setting takes.\nExample: tond devices\n"},
  };
  return texts;
}

}  // namespace

std::string OptionsHelp(const std::string& name) {
  auto it = Texts().find(name);
  return it == Texts().end() ? std::string() : it->second;
}

}  // namespace tond::cli
