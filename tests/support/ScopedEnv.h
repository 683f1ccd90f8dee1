#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <ctime>

namespace kolt::test {

// Sets (or, given a null value, unsets) an environment variable for the life of the
// object; TZ is taken into the C library's time conversions at once.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const QString& value) : m_name(name), m_old(qgetenv(name)) {
    if (value.isNull())
      qunsetenv(name);
    else
      qputenv(name, QFile::encodeName(value));
    Apply();
  }
  ~ScopedEnv() {
    if (m_old.isNull())
      qunsetenv(m_name);
    else
      qputenv(m_name, m_old);
    Apply();
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  void Apply() const {
    if (qstrcmp(m_name, "TZ") == 0) ::tzset();
  }

  const char* m_name;
  QByteArray m_old;
};

}  // namespace kolt::test
