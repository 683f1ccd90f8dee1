#include "app/TerminalUi.h"
#include "core/TextCodec.h"

#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace kolt {
namespace {

QString IconName(Icon icon) {
  switch (icon) {
    case Icon::Critical:
      return QStringLiteral("Error");
    case Icon::Question:
      return QStringLiteral("Question");
    case Icon::Exclamation:
      return QStringLiteral("Warning");
    case Icon::Information:
      return QStringLiteral("Information");
    case Icon::None:
      break;
  }
  return QString();
}

// The first of `wanted` among the box's buttons, else the default button.
Answer Pick(Buttons buttons, int defaultButton, std::initializer_list<Answer> wanted) {
  for (Answer w : wanted) {
    for (int i = 1; i <= ButtonCount(buttons); ++i) {
      if (ButtonAt(buttons, i) == w) return w;
    }
  }
  return DefaultAnswer(buttons, defaultButton);
}

}  // namespace

QString ForTerminal(const QString& text) {
  QString t = text;
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  t.replace(QChar('\r'), QChar('\n'));
  for (QChar& c : t) {
    if (c != QChar('\n') && c != QChar('\t') && IsUnsafeForDisplay(c)) c = QChar('?');
  }
  return t;
}

TerminalUi::TerminalUi(Mode mode, std::FILE* in, std::FILE* out) : m_mode(mode), m_in(in), m_out(out) {}

QString TerminalUi::ButtonName(Answer answer) {
  switch (answer) {
    case Answer::Ok:
      return QStringLiteral("OK");
    case Answer::Cancel:
      return QStringLiteral("Cancel");
    case Answer::Abort:
      return QStringLiteral("Abort");
    case Answer::Retry:
      return QStringLiteral("Retry");
    case Answer::Ignore:
      return QStringLiteral("Ignore");
    case Answer::Yes:
      return QStringLiteral("Yes");
    case Answer::No:
      return QStringLiteral("No");
  }
  return QString();
}

bool TerminalUi::Interactive() const {
  return m_mode == Mode::Ask && m_in && ::isatty(::fileno(m_in));
}

void TerminalUi::Print(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), m_out);
  std::fflush(m_out);
}

std::optional<QString> TerminalUi::ReadLine() {
  QByteArray line;
  for (;;) {
    const int c = std::fgetc(m_in);
    if (c == EOF) {
      if (line.isEmpty()) return std::nullopt;
      break;
    }
    if (c == '\n') break;
    line.append(static_cast<char>(c));
  }
  if (line.endsWith('\r')) line.chop(1);
  return QString::fromUtf8(line);
}

Answer TerminalUi::ShowMessageBox(const QString& text, Buttons buttons, Icon icon, const QString& title,
                                  int defaultButton) {
  const QString caption = title.isEmpty() ? AppTitle() : title;
  const QString kind = IconName(icon);
  Print(QStringLiteral("[") + ForTerminal(caption) +
        (kind.isEmpty() ? QString() : QStringLiteral(" - ") + kind) + QStringLiteral("]\n") +
        ForTerminal(text) + QChar('\n'));

  const int count = ButtonCount(buttons);
  const Answer fallback = DefaultAnswer(buttons, defaultButton);
  QStringList names;
  for (int i = 1; i <= count; ++i) names.append(ButtonName(ButtonAt(buttons, i)));

  Answer answer = fallback;
  QString how;
  if (count == 1) {
    answer = ButtonAt(buttons, 1);  // nothing to decide
  } else if (m_mode == Mode::Yes) {
    answer = Pick(buttons, defaultButton, {Answer::Ok, Answer::Yes, Answer::Retry});
    how = QStringLiteral(" (--yes)");
  } else if (m_mode == Mode::No) {
    answer = Pick(buttons, defaultButton, {Answer::Cancel, Answer::No, Answer::Abort});
    how = QStringLiteral(" (--no)");
  } else if (Interactive()) {
    for (;;) {
      Print(QStringLiteral("Answer ") + names.join(QChar('/')) + QStringLiteral(" [") + ButtonName(fallback) +
            QStringLiteral("]: "));
      const std::optional<QString> line = ReadLine();
      if (!line) {
        Print(QStringLiteral("\n"));
        break;  // end of input: the default button
      }
      const QString t = line->trimmed();
      if (t.isEmpty()) break;
      bool matched = false;
      for (int i = 1; i <= count; ++i) {
        const QString name = ButtonName(ButtonAt(buttons, i));
        if (name.compare(t, Qt::CaseInsensitive) == 0 ||
            (t.size() == 1 && name.startsWith(t, Qt::CaseInsensitive))) {
          answer = ButtonAt(buttons, i);
          matched = true;
          break;
        }
      }
      if (matched) break;
    }
    how = QString();
  } else {
    how = QStringLiteral(" (default)");
  }
  if (count > 1)
    Print(QStringLiteral("[") + names.join(QChar('/')) + QStringLiteral("] -> ") + ButtonName(answer) + how +
          QChar('\n'));
  return answer;
}

std::optional<QString> TerminalUi::InputBox(const QString& prompt, const QString& title,
                                            const QString& defaultText) {
  Print(QStringLiteral("[") + ForTerminal(title.isEmpty() ? AppTitle() : title) + QStringLiteral("]\n") +
        ForTerminal(prompt) + QChar('\n'));
  if (m_mode == Mode::No) {
    Print(QStringLiteral("-> Cancel (--no)\n"));
    return std::nullopt;
  }
  if (m_mode == Mode::Yes || !Interactive()) {
    Print(QStringLiteral("-> OK: ") + ForTerminal(defaultText) +
          (m_mode == Mode::Yes ? QStringLiteral(" (--yes)\n") : QStringLiteral(" (default)\n")));
    return defaultText;
  }
  Print(QStringLiteral("Value [") + ForTerminal(defaultText) + QStringLiteral("] (end of input cancels): "));
  const std::optional<QString> line = ReadLine();
  if (!line) {
    Print(QStringLiteral("\n-> Cancel\n"));
    return std::nullopt;
  }
  return line->isEmpty() ? defaultText : *line;
}

void TerminalUi::ShowStatus(const QString& text) {
  if (m_verbose) Print(ForTerminal(text) + QChar('\n'));
}

std::optional<QString> TerminalUi::AskInstallFolder(const QString& caption, const QString& question,
                                                    const QString& folder, const QString& exeName) {
  (void)exeName;
  Print(QStringLiteral("[") + ForTerminal(caption) + QStringLiteral("]\n") + ForTerminal(question) +
        QStringLiteral("\nFolder: ") + ForTerminal(folder) + QChar('\n'));
  // OK on a field as the dialog would take it: empty or "-" means none, otherwise the
  // folder must exist.
  auto confirm = [this](const QString& t) -> std::optional<QString> {
    if (t.isEmpty() || t == QStringLiteral("-")) return QString();
    const QString folder = QDir::isRelativePath(t) && !m_startFolder.isEmpty()
                               ? QDir::cleanPath(QDir(m_startFolder).filePath(t))
                               : t;
    if (QFileInfo(folder).isDir()) return folder;
    Print(QStringLiteral("Folder '") + ForTerminal(t) + QStringLiteral("' does not exist\n"));
    return std::nullopt;
  };
  if (m_mode == Mode::No) {
    Print(QStringLiteral("[OK/Cancel] -> Cancel (--no)\n"));
    return std::nullopt;
  }
  if (m_mode == Mode::Yes || !Interactive()) {
    const QString how = m_mode == Mode::Yes ? QStringLiteral(" (--yes)") : QStringLiteral(" (default)");
    std::optional<QString> answer = confirm(folder);
    if (!answer) {
      Print(QStringLiteral("[OK/Cancel] -> Cancel") + how + QChar('\n'));
      return std::nullopt;
    }
    Print(QStringLiteral("[OK/Cancel] -> OK") + how + QChar('\n'));
    return answer;
  }
  for (;;) {
    Print(QStringLiteral("Installation folder [") + ForTerminal(folder) +
          QStringLiteral("] (Enter keeps it, - for none, end of input cancels): "));
    const std::optional<QString> line = ReadLine();
    if (!line) {
      Print(QStringLiteral("\n-> Cancel\n"));
      return std::nullopt;
    }
    const QString typed = line->trimmed();
    std::optional<QString> answer = confirm(typed.isEmpty() ? folder : typed);
    if (answer) return answer;
  }
}

}  // namespace kolt
