#pragma once
// The band under the button bar: the symbol the chosen AIs make, its element
// string, what GS1 says of the data, one finding a line, and the AIs' GS1
// Digital Link URI in a line the user can select and copy.
#include <QLineEdit>
#include <QWidget>

#include "wizard/SymbolPreview.h"

namespace velmora {

class SymbolBand : public QWidget {
 public:
  explicit SymbolBand(QWidget* parent);
  void Show(const SymbolPreview& preview);
  const SymbolPreview& Shown() const { return preview_; }
  // The band's height in twips: the window grows by it.
  static constexpr std::int32_t kHeightTwips = 1800;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void PaintBars(class QPainter& painter, const QRectF& area) const;
  void PlaceLink();
  SymbolPreview preview_;
  QLineEdit* link_;
};

}  // namespace velmora
