#pragma once
// The "Scale and range" window of one instrument: the list of the 270 scales in alphabetical
// order, and the range keys with the MinKey and MaxKey buttons that open the key window. Every
// choice is handed on the moment it is made; "Ok" only closes the window.
#include <QDialog>
#include <cstdint>
#include <functional>

class QLineEdit;
class QListWidget;
class QAbstractButton;

namespace tond {

struct KeyRange {
  std::uint8_t minkey = 0;
  std::uint8_t maxkey = 127;
  std::uint16_t scale = 0;  // an index into the scale table
  bool operator==(const KeyRange&) const = default;
};

class ScaleDlg : public QDialog {
  Q_OBJECT

 public:
  using Changed = std::function<void(const KeyRange&)>;
  ScaleDlg(const KeyRange& range, Changed changed, QWidget* parent = nullptr);

  const KeyRange& Range() const { return range_; }
  QListWidget* List() const { return list_; }
  QLineEdit* MinField() const { return minField_; }
  QLineEdit* MaxField() const { return maxField_; }
  QAbstractButton* MinButton() const { return minButton_; }
  QAbstractButton* MaxButton() const { return maxButton_; }

 private:
  void ChooseKey(bool lowest);
  void ChooseScale(int row);

  KeyRange range_;
  Changed changed_;
  QListWidget* list_;
  QLineEdit* minField_;
  QLineEdit* maxField_;
  QAbstractButton* minButton_;
  QAbstractButton* maxButton_;
};

// Runs the window for an instrument holding `range`.
void RunScaleWindow(QWidget* parent, const KeyRange& range, ScaleDlg::Changed changed);

}  // namespace tond
