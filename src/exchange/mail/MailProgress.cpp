#include "exchange/mail/MailProgress.h"

#include <QStringList>

#include "core/Utilities.h"

namespace kolt {

void AddProgressText(MailProgress* progress, const QString& text) {
  if (!progress) return;
  QString all = text;
  TrimNewlines(all);
  if (all.isEmpty()) return;
  const QStringList lines = all.split(QChar('\n'));
  for (QString line : lines) {
    TrimNewlines(line);
    if (!line.isEmpty()) progress->AddLine(line);
  }
}

}  // namespace kolt
