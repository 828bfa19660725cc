#include "wizard/qt/SymbolBand.h"

#include <QPainter>

namespace velmora {
namespace {

constexpr int kMargin = 6;
constexpr int kQuietModules = 10;
constexpr int kMaxFindingLines = 3;

}  // namespace

SymbolBand::SymbolBand(QWidget* parent) : QWidget(parent), link_(new QLineEdit(this)) {
  setObjectName(QStringLiteral("SymbolBand"));
  setAutoFillBackground(true);
  link_->setObjectName(QStringLiteral("DigitalLink"));
  link_->setReadOnly(true);
  link_->setFrame(false);
  link_->hide();
}

void SymbolBand::Show(const SymbolPreview& preview) {
  preview_ = preview;
  link_->setText(QString::fromStdString(preview.digitalLink));
  link_->setVisible(!preview.digitalLink.empty());
  update();
}

void SymbolBand::resizeEvent(QResizeEvent*) { PlaceLink(); }

// At the foot of the band, a line high.
void SymbolBand::PlaceLink() {
  const int line = fontMetrics().height() + 2;
  link_->setGeometry(kMargin, height() - kMargin - line, width() - 2 * kMargin, line);
}

// Whole pixels per module where the band is wide enough, so bars stay crisp;
// the bars are the symbol's dark runs, drawn as rectangles at any scale.
void SymbolBand::PaintBars(QPainter& painter, const QRectF& area) const {
  const auto modules = static_cast<double>(preview_.symbol.modules.size() + 2 * kQuietModules);
  const double fit = area.width() / modules;
  const double module = fit >= 1 ? std::floor(fit) : fit;
  const double left = area.left() + std::round((area.width() - modules * module) / 2) + kQuietModules * module;
  painter.fillRect(QRectF(left - kQuietModules * module, area.top(), modules * module, area.height()), Qt::white);
  for (const auto& [start, width] : symbol::BarRuns(preview_.symbol)) {
    painter.fillRect(QRectF(left + start * module, area.top(), width * module, area.height()), Qt::black);
  }
}

void SymbolBand::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QFontMetrics metrics = fontMetrics();
  const int line = metrics.height();
  const int findingLines = static_cast<int>(std::min<std::size_t>(preview_.findings.size(), kMaxFindingLines)) +
                           (preview_.problem.empty() ? 0 : 1) + (link_->isVisible() ? 1 : 0);
  const int barsHeight = height() - 2 * kMargin - line * (1 + findingLines);
  int y = kMargin;
  if (!preview_.symbol.modules.empty() && barsHeight > 8) {
    PaintBars(painter, QRectF(kMargin, y, width() - 2 * kMargin, barsHeight));
    y += barsHeight;
    painter.drawText(QRect(0, y, width(), line), Qt::AlignHCenter | Qt::AlignVCenter,
                     QString::fromStdString(symbol::HumanReadable(preview_.elements)));
    y += line;
  }
  painter.setPen(QColor(160, 0, 0));
  const auto say = [&](const std::string& text) {
    painter.drawText(QRect(kMargin, y, width() - 2 * kMargin, line), Qt::AlignLeft | Qt::AlignVCenter,
                     metrics.elidedText(QString::fromStdString(text), Qt::ElideRight, width() - 2 * kMargin));
    y += line;
  };
  if (!preview_.problem.empty()) say(preview_.problem);
  for (int i = 0; i < static_cast<int>(preview_.findings.size()) && i < kMaxFindingLines; ++i) {
    const bool last = i + 1 == kMaxFindingLines && preview_.findings.size() > kMaxFindingLines;
    say(preview_.findings[static_cast<std::size_t>(i)].text +
        (last ? " (+" + std::to_string(preview_.findings.size() - kMaxFindingLines) + ")" : ""));
  }
}

}  // namespace velmora
