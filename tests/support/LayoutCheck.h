#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QWidget>

namespace kolt::test {

// The texts in `window` that do not fit the room their layout gave them: a label or a
// button narrower than its text, a wrapped label lower than its lines. Empty when every
// text shows whole, whatever the language.
inline QStringList ClippedTexts(const QWidget& window) {
  QStringList clipped;
  const auto note = [&](const QWidget* w, const QString& text, int have, int need) {
    clipped << QStringLiteral("%1 \"%2\": %3 < %4").arg(w->objectName(), text).arg(have).arg(need);
  };
  for (const QWidget* w : window.findChildren<QWidget*>()) {
    if (!w->isVisibleTo(&window) || w->size().isEmpty()) continue;
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
      if (label->text().isEmpty() || label->pixmap().cacheKey() != 0) continue;
      if (label->wordWrap()) {
        const int need = label->heightForWidth(label->width());
        if (label->height() < need) note(w, label->text(), label->height(), need);
      } else if (label->width() < label->minimumSizeHint().width()) {
        note(w, label->text(), label->width(), label->minimumSizeHint().width());
      }
    } else if (qobject_cast<const QPushButton*>(w) || qobject_cast<const QCheckBox*>(w) ||
               qobject_cast<const QRadioButton*>(w)) {
      const auto* button = static_cast<const QAbstractButton*>(w);
      if (button->width() < button->sizeHint().width())
        note(w, button->text(), button->width(), button->sizeHint().width());
    } else if (const auto* box = qobject_cast<const QGroupBox*>(w)) {
      const int need = box->fontMetrics().horizontalAdvance(box->title()) + 16;
      if (!box->title().isEmpty() && box->width() < need) note(w, box->title(), box->width(), need);
    }
  }
  return clipped;
}

}  // namespace kolt::test
