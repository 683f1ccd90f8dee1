#pragma once

#include <QString>
#include <QTextDocument>

namespace kolt {

// Tool tips render markup when the text looks like it; names, descriptions and
// addresses come from other people's files and are shown as the text they are.
inline QString PlainTip(const QString& text) {
  if (!Qt::mightBeRichText(text)) return text;
  return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() + QStringLiteral("</p>");
}

}  // namespace kolt
