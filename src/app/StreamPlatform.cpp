#include "app/StreamPlatform.h"

#include <ostream>

namespace tond::cli {

void StreamPlatform::Message(const std::string& text) {
  stream_ << text << std::endl;
}

void StreamPlatform::Failure(const std::string& text, const std::string& reason) {
  stream_ << text << "\n";
  if (!reason.empty()) stream_ << reason << "\n";
  stream_ << std::flush;
}

bool StreamPlatform::Confirm(const std::string& text) {
  stream_ << text << std::endl;
  return false;
}

SaveAnswer StreamPlatform::AskToSave(const std::string& text) {
  stream_ << text << std::endl;
  return SaveAnswer::kCancel;
}

}  // namespace tond::cli
