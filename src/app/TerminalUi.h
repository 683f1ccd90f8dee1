#pragma once

#include <QCoreApplication>
#include <QString>
#include <cstdio>
#include <optional>

#include "core/UiPort.h"

namespace kolt {

// A message text as a terminal shows it: its CR line breaks as LF, and the other control
// characters (from file names and game files) as "?".
QString ForTerminal(const QString& text);

// The UI port of kolt-cli. Every message and question is written to `out` (stderr, so
// that the listing on stdout stays clean). --yes answers each question with its OK or
// Yes button, --no with Cancel or No; otherwise a user at a terminal is asked, and
// without a terminal the default button answers.
class TerminalUi final : public UiPort {
  Q_DECLARE_TR_FUNCTIONS(TerminalUi)

 public:
  enum class Mode { Ask, Yes, No };

  explicit TerminalUi(Mode mode, std::FILE* in = stdin, std::FILE* out = stderr);

  Answer ShowMessageBox(const QString& text, Buttons buttons, Icon icon, const QString& title,
                        int defaultButton) override;
  std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                  const QString& defaultText) override;
  void ShowStatus(const QString& text) override;
  void DoEvents() override {}
  std::optional<QString> AskInstallFolder(const QString& caption, const QString& question,
                                          const QString& folder, const QString& exeName) override;

  // A folder typed as an answer is relative to this one (where the program was started).
  void SetStartFolder(const QString& folder) { m_startFolder = folder; }
  // Shows status texts too (off by default: they only repeat progress).
  void SetVerbose(bool verbose) { m_verbose = verbose; }

  static QString ButtonName(Answer answer);

 private:
  bool Interactive() const;
  void Print(const QString& text);
  // One line from the terminal without its line end; nullopt at the end of input.
  std::optional<QString> ReadLine();

  Mode m_mode;
  std::FILE* m_in;
  std::FILE* m_out;
  bool m_verbose = false;
  QString m_startFolder;
};

}  // namespace kolt
