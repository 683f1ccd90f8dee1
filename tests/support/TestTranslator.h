#pragma once

#include <QCoreApplication>
#include <QHash>
#include <QString>
#include <QTranslator>

namespace kolt::test {

// A translation for tests, installed for its lifetime: the texts given their own
// translation with Set come back as given, every other text marked for translation comes
// back marked ("{{text}}"), so a test sees at once which texts a translation reaches.
// Placeholders stay, so arguments are filled in as ever.
class TestTranslator final : public QTranslator {
 public:
  TestTranslator() { QCoreApplication::installTranslator(this); }
  ~TestTranslator() override { QCoreApplication::removeTranslator(this); }

  void Set(const QString& source, const QString& translation) { m_given.insert(source, translation); }

  bool isEmpty() const override { return false; }
  QString translate(const char* context, const char* source, const char* disambiguation,
                    int n) const override {
    (void)context, (void)disambiguation, (void)n;
    const QString text = QString::fromUtf8(source);
    return m_given.value(text, QStringLiteral("{{") + text + QStringLiteral("}}"));
  }

 private:
  QHash<QString, QString> m_given;
};

}  // namespace kolt::test
