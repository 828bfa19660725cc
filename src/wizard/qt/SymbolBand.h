#pragma once
// The band under the button bar: the symbol the chosen AIs make, its element
// string, what GS1 says of the data (a list that scrolls), and the AIs' GS1
// Digital Link URI in a line the user can select and copy. On page 0 it holds
// the search box instead of the symbol: words or digits find an AI; a
// barcode's data pasted or scanned into it fills the wizard.
#include <functional>

#include <QLineEdit>
#include <QListWidget>
#include <QWidget>

#include "wizard/SymbolPreview.h"

namespace velmora {

class SymbolBand : public QWidget {
 public:
  explicit SymbolBand(QWidget* parent);
  void Show(const SymbolPreview& preview);
  const SymbolPreview& Shown() const { return preview_; }
  // Page 0 shows the search box with its hint and how many AIs match.
  void ShowSearch(bool shown, int matches);
  // A line under the search box: why a paste did not go in.
  void SayProblem(const QString& problem);
  QLineEdit& SearchBox() { return *search_; }
  // The band's height in twips: the window grows by it.
  static constexpr std::int32_t kHeightTwips = 1800;

  std::function<void(const QString&)> OnFind;   // the search text changed
  std::function<void(int)> OnStep;              // Up -1, Down or Enter +1
  std::function<void(const QString&)> OnPaste;  // a barcode's data pasted, scanned or entered

  // Data a scanner or a paste brings rather than words to find: an element
  // string in brackets, a symbology identifier, FNC1 as GS, or a URI.
  static bool LooksLikeBarcode(const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PaintBars(class QPainter& painter, const QRectF& area) const;
  void PlaceWidgets();
  void Searched(const QString& text);
  SymbolPreview preview_;
  QLineEdit* link_;
  QListWidget* findings_;
  QLineEdit* search_;
  QString said_;   // the count of matches, or a paste's problem
  int typed_ = 0;  // the search text's length before its last change
  bool searching_ = false;
};

}  // namespace velmora
