#pragma once
#include <string>

namespace tond {

// The file name of a path: the text after the last folder separator. Kit and project files
// written on other systems may carry either separator, so both count.
std::string FileNameOf(const std::string& path);

}  // namespace tond
