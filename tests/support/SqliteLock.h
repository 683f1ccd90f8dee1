#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <QString>

namespace kolt::test {

// Another process (Python's sqlite3) holding SQLite's write lock on `path` until
// Release() or the end of the object.
class SqliteLock {
 public:
  explicit SqliteLock(const QString& path) {
    m_process.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"),
                                                         QStringLiteral("import sqlite3, sys\n"
                                                                        "c = sqlite3.connect(sys.argv[1], "
                                                                        "isolation_level=None)\n"
                                                                        "c.execute('BEGIN EXCLUSIVE')\n"
                                                                        "print('locked', flush=True)\n"
                                                                        "sys.stdin.read()\n"),
                                                         path});
    EXPECT_TRUE(m_process.waitForStarted());
    while (!m_process.canReadLine() && m_process.waitForReadyRead(10000)) {
    }
    EXPECT_EQ(m_process.readLine().trimmed(), "locked") << m_process.readAllStandardError().toStdString();
  }
  ~SqliteLock() { Release(); }
  SqliteLock(const SqliteLock&) = delete;
  SqliteLock& operator=(const SqliteLock&) = delete;
  void Release() {
    if (m_process.state() == QProcess::NotRunning) return;
    m_process.closeWriteChannel();
    EXPECT_TRUE(m_process.waitForFinished(10000));
  }

 private:
  QProcess m_process;
};

}  // namespace kolt::test
