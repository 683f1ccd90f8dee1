#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <QString>
#include <cstdio>
#include <cstring>

namespace kolt::test {

// A pseudo-terminal whose slave side is the port's input; the test types on the master.
// What the port prints goes to a temporary file.
class PseudoTerminal {
 public:
  PseudoTerminal() {
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    EXPECT_GE(m_master, 0);
    grantpt(m_master);
    unlockpt(m_master);
    m_in = std::fopen(ptsname(m_master), "r");
    EXPECT_NE(m_in, nullptr);
    m_out = std::tmpfile();
  }
  ~PseudoTerminal() {
    if (m_in) std::fclose(m_in);
    if (m_out) std::fclose(m_out);
    if (m_master >= 0) ::close(m_master);
  }
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  void Type(const char* text) { ASSERT_GT(::write(m_master, text, std::strlen(text)), 0); }
  std::FILE* In() { return m_in; }
  std::FILE* Out() { return m_out; }
  QString Printed() {
    std::fflush(m_out);
    std::rewind(m_out);
    QByteArray all;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, m_out)) > 0)
      all.append(buffer, static_cast<qsizetype>(n));
    return QString::fromUtf8(all);
  }

 private:
  int m_master = -1;
  std::FILE* m_in = nullptr;
  std::FILE* m_out = nullptr;
};

}  // namespace kolt::test
