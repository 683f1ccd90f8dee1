#include "app/TerminalUi.h"
#include "core/TextCodec.h"

#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace kolt {
namespace {

//: the kind of a message, after its title on the terminal
QString IconName(Icon icon) {
  switch (icon) {
    case Icon::Critical:
      return QCoreApplication::translate("TerminalUi", "Error");
    case Icon::Question:
      return QCoreApplication::translate("TerminalUi", "Question");
    case Icon::Exclamation:
      return QCoreApplication::translate("TerminalUi", "Warning");
    case Icon::Information:
      return QCoreApplication::translate("TerminalUi", "Information");
    case Icon::None:
      break;
  }
  return QString();
}

// A button's name as the terminal shows it; typed answers match it or the English one,
// so that scripts written for one language work in every other.
const char* ButtonSource(Answer answer) {
  switch (answer) {
    //: a button of a question asked on the terminal
    case Answer::Ok:
      return QT_TRANSLATE_NOOP("TerminalUi", "OK");
    case Answer::Cancel:
      return QT_TRANSLATE_NOOP("TerminalUi", "Cancel");
    case Answer::Abort:
      return QT_TRANSLATE_NOOP("TerminalUi", "Abort");
    case Answer::Retry:
      return QT_TRANSLATE_NOOP("TerminalUi", "Retry");
    case Answer::Ignore:
      return QT_TRANSLATE_NOOP("TerminalUi", "Ignore");
    case Answer::Yes:
      return QT_TRANSLATE_NOOP("TerminalUi", "Yes");
    case Answer::No:
      return QT_TRANSLATE_NOOP("TerminalUi", "No");
  }
  return "";
}

bool NameMatches(const QString& name, const QString& typed) {
  return name.compare(typed, Qt::CaseInsensitive) == 0 ||
         (typed.size() == 1 && name.startsWith(typed, Qt::CaseInsensitive));
}

// How a question was answered without the user: " (--yes)", " (--no)", " (default)".
QString How(TerminalUi::Mode mode) {
  if (mode == TerminalUi::Mode::Yes) return QStringLiteral(" (--yes)");
  if (mode == TerminalUi::Mode::No) return QStringLiteral(" (--no)");
  //: how a question was answered when nobody could be asked
  return QStringLiteral(" (") + QCoreApplication::translate("TerminalUi", "default") + QChar(')');
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
  return tr(ButtonSource(answer));
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
    how = How(m_mode);
  } else if (m_mode == Mode::No) {
    answer = Pick(buttons, defaultButton, {Answer::Cancel, Answer::No, Answer::Abort});
    how = How(m_mode);
  } else if (Interactive()) {
    for (;;) {
      //: %1 lists the buttons (OK/Cancel), %2 is the one Enter gives
      Print(tr("Answer %1 [%2]: ").arg(names.join(QChar('/')), ButtonName(fallback)));
      const std::optional<QString> line = ReadLine();
      if (!line) {
        Print(QStringLiteral("\n"));
        break;  // end of input: the default button
      }
      const QString t = line->trimmed();
      if (t.isEmpty()) break;
      bool matched = false;
      for (int i = 1; i <= count; ++i) {
        const Answer button = ButtonAt(buttons, i);
        if (NameMatches(ButtonName(button), t) || NameMatches(QLatin1String(ButtonSource(button)), t)) {
          answer = ButtonAt(buttons, i);
          matched = true;
          break;
        }
      }
      if (matched) break;
    }
    how = QString();
  } else {
    how = How(m_mode);
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
    Print(QStringLiteral("-> ") + ButtonName(Answer::Cancel) + How(m_mode) + QChar('\n'));
    return std::nullopt;
  }
  if (m_mode == Mode::Yes || !Interactive()) {
    Print(QStringLiteral("-> ") + ButtonName(Answer::Ok) + QStringLiteral(": ") + ForTerminal(defaultText) +
          How(m_mode) + QChar('\n'));
    return defaultText;
  }
  //: %1 is what Enter gives
  Print(tr("Value [%1] (end of input cancels): ").arg(ForTerminal(defaultText)));
  const std::optional<QString> line = ReadLine();
  if (!line) {
    Print(QStringLiteral("\n-> ") + ButtonName(Answer::Cancel) + QChar('\n'));
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
        QChar('\n') + tr("Folder: %1").arg(ForTerminal(folder)) + QChar('\n'));
  // OK on a field as the dialog would take it: empty or "-" means none, otherwise the
  // folder must exist.
  auto confirm = [this](const QString& t) -> std::optional<QString> {
    if (t.isEmpty() || t == QStringLiteral("-")) return QString();
    const QString folder = QDir::isRelativePath(t) && !m_startFolder.isEmpty()
                               ? QDir::cleanPath(QDir(m_startFolder).filePath(t))
                               : t;
    if (QFileInfo(folder).isDir()) return folder;
    Print(tr("Folder '%1' does not exist").arg(ForTerminal(t)) + QChar('\n'));
    return std::nullopt;
  };
  const QString ok = ButtonName(Answer::Ok);
  const QString cancel = ButtonName(Answer::Cancel);
  const QString buttons = QChar('[') + ok + QChar('/') + cancel + QStringLiteral("] -> ");
  if (m_mode == Mode::No) {
    Print(buttons + cancel + How(m_mode) + QChar('\n'));
    return std::nullopt;
  }
  if (m_mode == Mode::Yes || !Interactive()) {
    std::optional<QString> answer = confirm(folder);
    Print(buttons + (answer ? ok : cancel) + How(m_mode) + QChar('\n'));
    return answer;
  }
  for (;;) {
    Print(tr("Installation folder [%1] (Enter keeps it, - for none, end of input cancels): ")
              .arg(ForTerminal(folder)));
    const std::optional<QString> line = ReadLine();
    if (!line) {
      Print(QStringLiteral("\n-> ") + cancel + QChar('\n'));
      return std::nullopt;
    }
    const QString typed = line->trimmed();
    std::optional<QString> answer = confirm(typed.isEmpty() ? folder : typed);
    if (answer) return answer;
  }
}

}  // namespace kolt
