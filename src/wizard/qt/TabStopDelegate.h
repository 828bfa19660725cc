#pragma once
// Draws list entries with their tab expanded, so the AI digits and the names
// stand in two columns.
#include <QStyledItemDelegate>

namespace velmora {

class TabStopDelegate : public QStyledItemDelegate {
 public:
  TabStopDelegate(int tabStopPixels, QObject* parent) : QStyledItemDelegate(parent), tabStop_(tabStopPixels) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  int tabStop_;
};

}  // namespace velmora
