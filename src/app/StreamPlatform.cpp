#include "app/StreamPlatform.h"

#include <ostream>

namespace tond::cli {

void StreamPlatform::Message(const std::string& text) {
  stream_ << text << std::endl;
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
