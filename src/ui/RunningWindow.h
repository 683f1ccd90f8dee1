#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace kolt {

// One window takes every turn: a start with a file on a home folder whose window is
// already running hands the file to that window over a local socket, and ends.
//
// The socket carries the path of a turn the window then takes in, so nobody else may
// listen or talk there: it lives only in a folder of the user's own with mode 0700
// ($XDG_RUNTIME_DIR when it is one, else a folder with an unpredictable name that the
// window makes and records in the home folder), and both ends check the other's user
// id. When anything is amiss the later start takes the turn in itself.
class RunningWindow final : public QObject {
  Q_OBJECT

 public:
  explicit RunningWindow(QObject* parent = nullptr);
  ~RunningWindow() override;

  // The private folder for the sockets of `homeFolder`; with `create`, a missing or
  // unusable one is made (and recorded) anew. Empty when there is none.
  static QString SocketFolder(const QString& homeFolder, bool create);
  // The socket of the window running on `homeFolder` (empty: no private folder).
  static QString SocketPath(const QString& homeFolder, bool create = false);
  // Hands `file` (an absolute path) to the window running on `homeFolder`; true once
  // that window has taken it over. False when none runs, it did not answer, or the
  // listener is not this user.
  static bool HandOff(const QString& homeFolder, const QString& file);
  // The same at a given socket.
  static bool HandOffAt(const QString& socketPath, const QString& file);

  // Starts taking files for `homeFolder`; false when another window already does or
  // no private folder can be had.
  bool Listen(const QString& homeFolder);
  // The same at a given socket.
  bool ListenAt(const QString& socketPath);

 signals:
  // A file handed over by a later start.
  void FileArrived(const QString& path);

 private:
  void Accept();

  QLocalServer* m_server = nullptr;
};

}  // namespace kolt
