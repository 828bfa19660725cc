#include "wizard/qt/TabStopDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QTextOption>

namespace velmora {

void TabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyleOptionViewItem item = option;
  initStyleOption(&item, index);
  const QString text = item.text;
  item.text.clear();
  const QWidget* widget = item.widget;
  QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

  QTextOption layout(Qt::AlignLeft | Qt::AlignVCenter);
  layout.setTabStopDistance(tabStop_);
  layout.setWrapMode(QTextOption::NoWrap);
  painter->save();
  const bool selected = (item.state & QStyle::State_Selected) != 0;
  painter->setPen(item.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
  painter->setFont(item.font);
  painter->drawText(QRectF(item.rect.adjusted(3, 0, -3, 0)), text, layout);
  painter->restore();
}

}  // namespace velmora
