#pragma once
// The option panel of the current drawing tool, under the tool buttons: the pencil's colour and
// variation, the eraser's size, the line's two colours and quantize, the airbrush's two colours,
// radius and speed (the hand, the eyedropper and the selector have none). The panel shows the
// session's tool settings and writes every change back at once, so that a stroke always reads
// what the panel shows; another tool's values stay in the settings while it is away.
#include <QWidget>
#include <cstdint>

namespace tond {

struct ToolSettings;

class ToolPanel : public QWidget {
  Q_OBJECT

 public:
  ToolPanel(ToolSettings& settings, QWidget* parent);
  // Builds the panel of `tool` from the settings; the tool already shown keeps its panel.
  void Show(std::uint32_t tool);

 private:
  void Build(std::uint32_t tool);

  ToolSettings& settings_;
  std::uint32_t tool_ = 0;
  QWidget* content_ = nullptr;
};

}  // namespace tond
