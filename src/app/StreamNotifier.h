#pragma once
#include <iosfwd>

#include "model/Notifier.h"

namespace tond::cli {

// Shows messages as lines on a stream (standard error for the command line). Nobody can answer
// a question there, so every question is declined.
class StreamNotifier : public Notifier {
 public:
  explicit StreamNotifier(std::ostream& stream) : stream_(stream) {}
  void Message(const std::string& text) override;
  bool Confirm(const std::string& text) override;

 private:
  std::ostream& stream_;
};

}  // namespace tond::cli
