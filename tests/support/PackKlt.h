#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QString>

#include "support/TempHome.h"

namespace kolt::test {

// A KLT archive as another player's copy packs it with Info-ZIP: SENDER.TXT naming
// `sender`, and `files` (paths inside the archive and their contents), last modified at
// `saved` when that is given. Returns `archive`.
inline QString PackKlt(const QString& archive, const QMap<QString, QByteArray>& files,
                       const QByteArray& sender = "ivan@example.org", const QDateTime& saved = QDateTime()) {
  const QString staging = archive + QStringLiteral(".staging");
  EXPECT_TRUE(
      WriteFile(staging + QStringLiteral("/SENDER.TXT"), sender + "\r\n(GMT+3) MSK\r\n-180\r\n3.0.0\r\n"));
  for (auto f = files.constBegin(); f != files.constEnd(); ++f) {
    const QString path = staging + QChar('/') + f.key();
    EXPECT_TRUE(WriteFile(path, f.value()));
    if (!saved.isValid()) continue;
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadWrite) &&
                file.setFileTime(saved, QFileDevice::FileModificationTime));
  }
  QProcess zip;
  zip.setWorkingDirectory(staging);
  zip.start(QStringLiteral("zip"), {QStringLiteral("-q"), QStringLiteral("-r"),
                                    QFileInfo(archive).absoluteFilePath(), QStringLiteral(".")});
  EXPECT_TRUE(zip.waitForFinished(30000));
  EXPECT_EQ(zip.exitCode(), 0) << zip.readAllStandardError().toStdString();
  return archive;
}

}  // namespace kolt::test
