#pragma once
// The pointer shapes of the drawing tools over the pattern area, drawn by the program.
#include <QCursor>
#include <cstdint>

namespace tond {

enum class HandMode : int;  // edit/HandTool.h

// The cursor for a tool identifier (1 pencil .. 7 selector; the floating paste and mix show an
// arrow), the hand's cursor showing its mode.
QCursor ToolCursor(std::uint32_t tool, HandMode hand);

}  // namespace tond
