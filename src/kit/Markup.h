#pragma once
// The small line-oriented markup of kit files. It looks like XML but is read one line at a
// time: every element, closing tag and attribute element stands on a line of its own.
#include <cstddef>
#include <fstream>
#include <string>
#include <vector>

#include "base/SafeFile.h"

namespace tond {

// Walks a markup file line by line and classifies each line. Never fails on malformed input:
// an unknown line becomes an EmptyTag item. The fields keep what the last line of a kind that
// sets them put there; they are not cleared between lines.
class XMLreader {
 public:
  enum ItemType { Declaration = 0, Comment = 1, OpenTag = 2, CloseTag = 3, EmptyTag = 4 };

  explicit XMLreader(const std::string& path);
  XMLreader(const XMLreader&) = delete;
  XMLreader& operator=(const XMLreader&) = delete;

  // False also for anything but a regular file: a named pipe would block the reader.
  bool IsOpen() const { return open_; }

  // Reads the next line into `line` (trimmed), classifies it and sets the fields. False, with
  // no field changed, when there is no further line or the line is longer than kMaxLineLength
  // (then TooLong() tells). Accepts LF and CR LF line ends.
  bool Next(std::string& line);

  // A kit line is a tag and a path; anything much longer is not a kit, and is not read whole.
  static constexpr std::size_t kMaxLineLength = 16 * 1024;
  // Whether reading stopped at a line longer than kMaxLineLength.
  bool TooLong() const { return tooLong_; }
  // Why the file could not be opened (an errno; EISDIR or ENOTSUP for what is not a regular
  // file); 0 when it was.
  int Error() const { return error_; }

  ItemType type = Declaration;
  std::string name;       // OpenTag, CloseTag, EmptyTag
  std::string attribute;  // EmptyTag
  std::string value;      // EmptyTag, double quotes removed
  std::string comment;    // Comment

 private:
  void SplitEmptyTag(const std::string& line);

  std::ifstream file_;
  bool open_ = false;
  bool tooLong_ = false;
  int error_ = 0;
};

// Writes a markup file with one TAB of indentation per open element and CR LF line ends.
// The bytes go to a temporary file that replaces the target only when Finish() succeeds, so a
// writer destroyed without a successful Finish() leaves the previous file untouched.
class XMLwriter {
 public:
  explicit XMLwriter(const std::string& path);
  XMLwriter(const XMLwriter&) = delete;
  XMLwriter& operator=(const XMLwriter&) = delete;

  bool IsOpen() const { return file_.IsOpen(); }
  // The errno of the write that failed, 0 while none did.
  int Error() const { return file_.Error(); }

  // The two header lines; false (nothing written) when an element is open.
  bool WriteHeader();
  // "<name>" at the current depth; the element stays open.
  bool OpenElement(const std::string& name);
  // "<tag attribute = "value"/>" at the current depth. Nothing in the value is escaped.
  bool WriteElement(const std::string& tag, const std::string& attribute, const std::string& value);
  // "</name>" for the innermost open element; false when none is open.
  bool CloseElement();
  // Commits the file. Elements still open are not closed. False if any write failed or the
  // file could not replace the target; every write after it returns false.
  bool Finish();

  // Every operation returns false, writing nothing, when the file could not be created.

 private:
  bool WriteLine(const std::string& text);

  SafeFileWriter file_;
  std::vector<std::string> open_;
};

}  // namespace tond
