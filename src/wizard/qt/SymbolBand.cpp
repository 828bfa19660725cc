#include "wizard/qt/SymbolBand.h"

#include <QKeyEvent>
#include <QPainter>

namespace velmora {
namespace {

constexpr int kMargin = 6;
constexpr int kFindingLines = 3;  // shown at once; the list scrolls for more

}  // namespace

SymbolBand::SymbolBand(QWidget* parent)
    : QWidget(parent), link_(new QLineEdit(this)), findings_(new QListWidget(this)), search_(new QLineEdit(this)) {
  setObjectName(QStringLiteral("SymbolBand"));
  setAutoFillBackground(true);
  link_->setObjectName(QStringLiteral("DigitalLink"));
  link_->setReadOnly(true);
  link_->setFrame(false);
  link_->hide();
  findings_->setObjectName(QStringLiteral("Findings"));
  findings_->setSelectionMode(QAbstractItemView::NoSelection);
  findings_->setFocusPolicy(Qt::NoFocus);
  findings_->setFrameShape(QFrame::NoFrame);
  findings_->hide();
  search_->setObjectName(QStringLiteral("FindBox"));
  search_->setPlaceholderText(QStringLiteral("Find an AI: words or digits (best before, lot, 17), or paste a barcode"));
  search_->setClearButtonEnabled(true);
  search_->installEventFilter(this);
  search_->hide();
  connect(search_, &QLineEdit::textEdited, this, [this](const QString& text) { Searched(text); });
}

bool SymbolBand::LooksLikeBarcode(const QString& text) {
  return text.startsWith(u'(') || text.startsWith(u'[') || text.startsWith(u']') || text.contains(QChar(0x1D)) ||
         text.startsWith(QStringLiteral("http://"), Qt::CaseInsensitive) ||
         text.startsWith(QStringLiteral("https://"), Qt::CaseInsensitive);
}

// Words find; barcode data that arrives at once (a paste) goes in at once,
// what a scanner types key by key goes in with its Enter.
void SymbolBand::Searched(const QString& text) {
  const bool burst = text.size() > typed_ + 1;
  typed_ = static_cast<int>(text.size());
  if (LooksLikeBarcode(text)) {
    if (burst && OnPaste) OnPaste(text);
    return;
  }
  if (OnFind) OnFind(text);
}

bool SymbolBand::eventFilter(QObject* watched, QEvent* event) {
  if (watched != search_ || event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    if (LooksLikeBarcode(search_->text())) {
      if (OnPaste) OnPaste(search_->text());
    } else if (OnStep) {
      OnStep(1);
    }
    return true;
  }
  if ((key == Qt::Key_Up || key == Qt::Key_Down) && OnStep) {
    OnStep(key == Qt::Key_Up ? -1 : 1);
    return true;
  }
  return false;
}

void SymbolBand::ShowSearch(bool shown, int matches) {
  searching_ = shown;
  search_->setVisible(shown);
  if (!shown) {
    search_->clear();
    typed_ = 0;
  }
  if (shown && !search_->text().isEmpty() && !LooksLikeBarcode(search_->text())) {
    said_ = matches == 1 ? QStringLiteral("1 AI matches") : QStringLiteral("%1 AIs match").arg(matches);
  } else if (!shown || search_->text().isEmpty()) {
    said_.clear();
  }
  PlaceWidgets();
  update();
}

void SymbolBand::SayProblem(const QString& problem) {
  said_ = problem;
  update();
}

void SymbolBand::Show(const SymbolPreview& preview) {
  preview_ = preview;
  link_->setText(QString::fromStdString(preview.digitalLink));
  link_->setVisible(!preview.digitalLink.empty() && !searching_);
  findings_->clear();
  if (!preview.problem.empty()) findings_->addItem(QString::fromStdString(preview.problem));
  for (const PreviewFinding& f : preview.findings) findings_->addItem(QString::fromStdString(f.text));
  for (int i = 0; i < findings_->count(); ++i) findings_->item(i)->setForeground(QColor(160, 0, 0));
  findings_->setVisible(findings_->count() > 0 && !searching_);
  PlaceWidgets();
  findings_->doItemsLayout();  // now, not at the next turn of the event loop: the band is shown at once
  update();
}

void SymbolBand::resizeEvent(QResizeEvent*) { PlaceWidgets(); }

// From the foot up: the URI line, the findings (up to three lines, then they
// scroll); the search box at the top of page 0's band.
void SymbolBand::PlaceWidgets() {
  const int line = fontMetrics().height() + 2;
  const int width = this->width() - 2 * kMargin;
  int bottom = height() - kMargin;
  if (link_->isVisibleTo(this)) {
    link_->setGeometry(kMargin, bottom - line, width, line);
    bottom -= line;
  }
  const int rows = std::min(findings_->count(), kFindingLines);
  const int row = rows > 0 ? std::max(line, findings_->sizeHintForRow(0)) : line;
  findings_->setGeometry(kMargin, bottom - rows * row - 2, width, rows * row + 2);
  search_->setGeometry(kMargin, kMargin, width, line + 4);
}

// Whole pixels per module where the band is wide enough, so bars stay crisp;
// the bars are the symbol's dark runs, drawn as rectangles at any scale.
void SymbolBand::PaintBars(QPainter& painter, const QRectF& area) const {
  const int quiet = symbol::QuietModules(preview_.symbol.kind);
  const auto modules = static_cast<double>(preview_.symbol.Columns() + 2 * quiet);
  const double fit = area.width() / modules;
  const double module = fit >= 1 ? std::floor(fit) : fit;
  const double left = area.left() + std::round((area.width() - modules * module) / 2) + quiet * module;
  painter.fillRect(QRectF(left - quiet * module, area.top(), modules * module, area.height()), Qt::white);
  for (const auto& [start, width] : symbol::BarRuns(preview_.symbol)) {
    painter.fillRect(QRectF(left + start * module, area.top(), width * module, area.height()), Qt::black);
  }
}

void SymbolBand::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int line = fontMetrics().height();
  if (searching_) {
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(
        QRect(kMargin, kMargin + line + 8, width() - 2 * kMargin, line), Qt::AlignLeft | Qt::AlignVCenter,
        said_.isEmpty() ? QStringLiteral("Up and Down move through the matches; Enter takes the next.") : said_);
    return;
  }
  const int below = (findings_->isVisible() ? findings_->height() : 0) + (link_->isVisible() ? link_->height() : 0);
  const int barsHeight = height() - 2 * kMargin - line - below;
  if (!preview_.symbol.modules.empty() && barsHeight > 8) {
    PaintBars(painter, QRectF(kMargin, kMargin, width() - 2 * kMargin, barsHeight));
    painter.drawText(QRect(0, kMargin + barsHeight, width(), line), Qt::AlignHCenter | Qt::AlignVCenter,
                     QString::fromStdString(symbol::HumanReadable(preview_.elements)));
  }
}

}  // namespace velmora
