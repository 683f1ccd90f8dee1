#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace kolt {

// One window takes every turn: a start with a file on a home folder whose window is
// already running hands the file to that window over a local socket in the user's
// runtime folder, named after the home folder, and ends.
class RunningWindow final : public QObject {
  Q_OBJECT

 public:
  explicit RunningWindow(QObject* parent = nullptr);
  ~RunningWindow() override;

  // The socket of the window running on `homeFolder`.
  static QString SocketPath(const QString& homeFolder);
  // Hands `file` (an absolute path) to the window running on `homeFolder`; true once
  // that window has taken it over. False when none runs or it did not answer.
  static bool HandOff(const QString& homeFolder, const QString& file);

  // Starts taking files for `homeFolder`; false when another window already does.
  bool Listen(const QString& homeFolder);

 signals:
  // A file handed over by a later start.
  void FileArrived(const QString& path);

 private:
  void Accept();

  QLocalServer* m_server = nullptr;
};

}  // namespace kolt
