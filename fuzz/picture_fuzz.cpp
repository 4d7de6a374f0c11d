// The picture import on any bytes, through the platform's decoders: a picture replaces the
// working grid with one undo step; anything else is refused silently and changes nothing.
#include <QByteArray>
#include <QFile>
#include <QImageReader>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>

#include "FuzzSupport.h"
#include "files/qt/PictureImport.h"
#include "model/Project.h"
#include "model/UndoSystem.h"

using namespace tond;

namespace {

// Qt's decoders are not instrumented, so the fuzzer cannot tell which one an input reached or how
// far it got. A counter per decoder and outcome, in the section libFuzzer reads as extra
// coverage, lets it keep an input for each.
constexpr const char* kFormats[] = {"bmp", "gif", "jpeg", "png", "ico", "cur",
                                    "svg", "ppm", "pgm",  "pbm", "xbm", "xpm"};
constexpr std::size_t kKinds = std::size(kFormats) + 2;  // and none, and any other
__attribute__((used, section("__libfuzzer_extra_counters"))) std::uint8_t reached[kKinds * 4];

void Feedback(const std::string& path, bool imported) {
  QImageReader reader(QFile::decodeName(path.c_str()));
  const QByteArray format = reader.format();
  std::size_t kind = format.isEmpty() ? 0 : 1;
  for (std::size_t i = 0; i < std::size(kFormats); ++i)
    if (format == kFormats[i]) kind = i + 2;
  const bool sized = reader.size().isValid();
  reached[kind * 4 + sized * 2 + imported] = 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // No extension: the decoder is chosen by the content, so every format can be reached.
  static fuzz::InputFile input("input");
  const std::string& path = input.Write(data, size);

  auto project = std::make_unique<Project>();
  UndoSystem undo;
  undo.Init(&project->working);
  project->working.Fill(0x00123456);
  const Pattern before = project->working.Snapshot();

  const bool imported = ImportPicture(path, *project, undo);
  Feedback(path, imported);
  fuzz::Check(undo.Count() == (imported ? 2 : 1), "one undo step for an import");
  if (!imported) fuzz::Check(project->working == before, "a refusal changes nothing");
  for (int i = 0; i < kCells; ++i)
    fuzz::Check((project->working.Get(i) & 0xFF000000u) == 0, "cells have no top byte");
  return 0;
}
