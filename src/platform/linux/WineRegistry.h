#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace kolt {

// One registry file of a Wine prefix (system.reg, user.reg) as keys and values.
//
// The file is Wine's text format: "[Key\\Path] timestamp" lines, "#..." option lines,
// "\"name\"=value" lines with escaped strings, "str(n):", "hex(n):" continued over lines
// with a trailing backslash, "dword:". Key paths are relative to the file's root
// (HKLM for system.reg, HKCU for user.reg). The file may be damaged or hand-edited:
// lines that cannot be read are skipped, nothing ever fails harder than that.
class WineRegistry final {
 public:
  enum class Type { String, ExpandString, MultiString, DWord, Binary };
  struct Value {
    Type type = Type::String;
    QString text;              // strings; a DWord as 8 hex digits
    std::uint32_t number = 0;  // DWord
  };

  // False when the file cannot be read (a file that reads but parses badly is true).
  bool Load(const QString& path);
  // Wine's registry files are a few megabytes; a larger one than this is not read.
  static constexpr qint64 kMaxFileSize = qint64{256} * 1024 * 1024;
  void Parse(const QByteArray& content);

  // Key paths separated by '\' (a doubled "\\" as in .reg files works too), without
  // regard to case; an empty name is the key's default value ("@").
  std::optional<Value> Read(const QString& keyPath, const QString& name) const;
  // String values only (REG_SZ and REG_EXPAND_SZ, unexpanded).
  std::optional<QString> ReadString(const QString& keyPath, const QString& name) const;
  // The names of the keys directly below `keyPath`, spelled as the file spells them, in
  // the file's order (Wine keeps its keys sorted, as Windows enumerates them), each once.
  QStringList SubKeyNames(const QString& keyPath) const;
  int KeyCount() const { return int(m_keys.size()); }

  // Decodes one escaped string as Wine writes it, starting after the opening quote (or
  // at the key name after '['); stops at the unescaped `terminator`. `end` receives the
  // index after the terminator, or -1 when the text ends first.
  static QString Unescape(const QString& line, qsizetype start, QChar terminator, qsizetype* end);
  static QString NormalizeKey(const QString& keyPath);

 private:
  QHash<QString, QHash<QString, Value>> m_keys;  // normalized key -> upper name -> value
  QStringList m_keyOrder;                        // every key once, as spelled, in file order
};

}  // namespace kolt
