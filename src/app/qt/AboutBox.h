#pragma once

class QWidget;

namespace tond {

// "About Tond": the program's icon, its name and version, and "OK".
void RunAboutBox(QWidget* parent);

}  // namespace tond
