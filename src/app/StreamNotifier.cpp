#include "app/StreamNotifier.h"

#include <ostream>

namespace tond::cli {

void StreamNotifier::Message(const std::string& text) { stream_ << text << std::endl; }

bool StreamNotifier::Confirm(const std::string& text) {
  stream_ << text << std::endl;
  return false;
}

}  // namespace tond::cli
