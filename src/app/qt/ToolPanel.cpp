#include "app/qt/ToolPanel.h"

#include <QLabel>

#include "edit/EditState.h"
#include "edit/ToolSettings.h"
#include "widgets/qt/GUIcolorButton.h"
#include "widgets/qt/SliderRow.h"

namespace tond {

namespace {

constexpr int kRowHeight = 17;
constexpr int kLabelWidth = 40;
constexpr int kSwatchWidth = 30;
constexpr int kSwatchHeight = 14;

// Lays the rows of one panel out from the top.
class Rows {
 public:
  explicit Rows(QWidget* panel) : panel_(panel) {}

  // A labelled row of colour swatches, each writing its setting.
  void Colours(const char* label, std::initializer_list<Cell*> colours) {
    auto* text = new QLabel(label, panel_);
    text->setGeometry(0, y_, kLabelWidth, kRowHeight);
    int x = kLabelWidth;
    for (Cell* colour : colours) {
      auto* button = new GUIcolorButton(panel_);
      button->setFocusPolicy(Qt::NoFocus);
      button->SetColour(*colour);
      button->setGeometry(x, y_ + (kRowHeight - kSwatchHeight) / 2, kSwatchWidth, kSwatchHeight);
      QObject::connect(button, &GUIcolorButton::colourChanged,
                       [colour](Cell value) { *colour = value; });
      x += kSwatchWidth + 6;
    }
    y_ += kRowHeight;
  }

  // A labelled slider with its value text, writing its setting.
  void Slider(const char* label, const SliderRange& range, double* value,
              SliderRow::Formatter text) {
    auto* row = new SliderRow(label, range.minimum, range.maximum, *value, std::move(text), panel_);
    row->setFocusPolicy(Qt::NoFocus);
    row->Slider()->setFocusPolicy(Qt::NoFocus);
    row->SetLabelWidth(kLabelWidth);
    row->setGeometry(0, y_, panel_->width(), kRowHeight);
    QObject::connect(row, &SliderRow::valueChanged, [value](double v) { *value = v; });
    y_ += kRowHeight;
  }

 private:
  QWidget* panel_;
  int y_ = 0;
};

}  // namespace

ToolPanel::ToolPanel(ToolSettings& settings, QWidget* parent)
    : QWidget(parent), settings_(settings) {}

void ToolPanel::Show(std::uint32_t tool) {
  if (tool == tool_) return;
  tool_ = tool;
  delete content_;
  content_ = nullptr;
  Build(tool);
}

void ToolPanel::Build(std::uint32_t tool) {
  auto* content = new QWidget(this);
  content->setGeometry(rect());
  Rows rows(content);
  ToolSettings& s = settings_;
  switch (tool) {
    case kPencil:
      rows.Colours("color", {&s.pencilColour});
      rows.Slider("variation", kPencilVariationRange, &s.pencilVariation, PercentText);
      break;
    case kEraser:
      rows.Slider("size", kEraserSizeRange, &s.eraserSize, IntegerSliderText);
      break;
    case kLine:
      rows.Colours("colors", {&s.lineColour1, &s.lineColour2});
      rows.Slider("quantize", kLineQuantizeRange, &s.lineQuantize, LineQuantizeText);
      break;
    case kAirbrush:
      rows.Colours("colors", {&s.airbrushColour1, &s.airbrushColour2});
      rows.Slider("radius", kAirbrushRadiusRange, &s.airbrushRadius, IntegerSliderText);
      rows.Slider("speed", kAirbrushSpeedRange, &s.airbrushSpeed, IntegerSliderText);
      break;
    default:  // the hand, the eyedropper, the selector and a floating paste have no options
      break;
  }
  content->show();
  content_ = content;
}

}  // namespace tond
