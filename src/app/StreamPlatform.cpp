#include "app/StreamPlatform.h"

#include <ostream>

#include "app/Cli.h"

namespace tond::cli {

std::string StreamPlatform::Prefix() {
  return command_.empty() ? "tond: " : "tond " + command_ + ": ";
}

void StreamPlatform::Message(const std::string& text) {
  stream_ << Prefix() << text << std::endl;
}

void StreamPlatform::Failure(const std::string& text, const std::string& reason) {
  stream_ << Prefix() << text << "\n";
  if (!reason.empty()) stream_ << reason << "\n";
  stream_ << std::flush;
}

void StreamPlatform::UnreadSample(const std::string& text, const std::string& reason) {
  if (++unread_ <= kNamedUnreadSamples) Failure(text, reason);
}

bool StreamPlatform::Confirm(const std::string& text) {
  Message(text);
  return false;
}

SaveAnswer StreamPlatform::AskToSave(const std::string& text) {
  Message(text);
  return SaveAnswer::kCancel;
}

int StreamPlatform::SampleSummary(int named) {
  if (unread_ == 0) return kExitOk;
  Message(std::to_string(unread_) + " of " + std::to_string(named) + " samples could not be read");
  return kExitUnreadSamples;
}

}  // namespace tond::cli
