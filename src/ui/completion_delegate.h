// How the input's completion pop-up draws an entry: the signature in bold,
// then the description in a quieter ink, both taken from the palette so the
// pop-up reads in light and dark themes alike.
#pragma once

#include <QStyledItemDelegate>

namespace korvex {

class CompletionDelegate : public QStyledItemDelegate {
 public:
  // The model's roles that hold an entry's two parts.
  static constexpr int kLabelRole = Qt::UserRole;
  static constexpr int kDescriptionRole = Qt::UserRole + 1;

  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};

}  // namespace korvex
