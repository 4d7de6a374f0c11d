#pragma once
// Runs a folder scan on a worker thread behind a progress dialog that shows the file being
// looked at and has a Cancel button; the window thread keeps answering meanwhile.
#include <QString>

#include "kit/KitBuilder.h"

class QWidget;

namespace tond {

class ScanDialog : public ScanRunner {
 public:
  ScanDialog(QWidget* parent, QString title) : parent_(parent), title_(std::move(title)) {}
  bool Run(const std::function<void(ScanProgress&)>& work) override;

 private:
  QWidget* parent_;
  QString title_;
};

}  // namespace tond
