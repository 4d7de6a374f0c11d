#include "base/Notifier.h"

#include <cstring>

namespace tond {

std::string FormatMessage(std::string_view format, std::string_view path) {
  std::string text(format);
  auto at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, path);
  return text;
}

std::string SystemReason(int error) {
  return error == 0 ? std::string() : std::string(std::strerror(error));
}

}  // namespace tond
