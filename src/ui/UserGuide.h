#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

namespace kolt {

class UiPort;

// The user guide as an HTML page: the packaged copy beside the installed program, else
// the one the build made. Opened in the desktop's browser.
class UserGuide final {
  Q_DECLARE_TR_FUNCTIONS(UserGuide)

 public:
  using Opener = std::function<bool(const QUrl&)>;

  // Where the guide may be, best first, for a program run from `executableFolder`.
  static QStringList Candidates(const QString& executableFolder);
  // The same for this program's own folder.
  static QStringList Candidates();
  // The first of `candidates` that is a readable file; empty when there is none.
  static QString Find(const QStringList& candidates);
  // Opens the guide found among `candidates` with `opener` (the desktop's handler when
  // empty). When it is missing or cannot be opened a message box says so and where it
  // was looked for; false then.
  static bool Open(UiPort& ui, const QStringList& candidates, const Opener& opener = {});
};

}  // namespace kolt
