#include "app/qt/AboutBox.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/Version.h"
#include "widgets/qt/Look.h"
#include "widgets/qt/PictureButton.h"

namespace tond {

void RunAboutBox(QWidget* parent) {
  QDialog box(parent);
  box.setWindowTitle(QStringLiteral("About Tond"));
  ApplyDarkLook(&box);
  auto* icon = new QLabel(&box);
  icon->setPixmap(ProgramIcon().pixmap(48, 48));
  auto* line =
      new QLabel(QStringLiteral("Tond Version %1").arg(QLatin1String(kVersionNumber)), &box);
  auto* ok = new QPushButton(QStringLiteral("OK"), &box);
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, &box, &QDialog::accept);

  auto* top = new QHBoxLayout;
  top->setSpacing(16);
  top->addWidget(icon);
  top->addWidget(line, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  auto* layout = new QVBoxLayout(&box);
  layout->setContentsMargins(14, 14, 14, 12);
  layout->setSpacing(12);
  layout->addLayout(top);
  layout->addLayout(buttons);
  box.setFixedSize(box.sizeHint().expandedTo(QSize(240, 0)));
  box.exec();
}

}  // namespace tond
