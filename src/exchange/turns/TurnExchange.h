#pragma once

#include <QString>
#include <memory>

#include "core/Utilities.h"
#include "model/Game.h"
#include "model/ProgramList.h"
#include "model/ReceiveBatch.h"

namespace kolt {

class ArchiveWrapper;
class MailTransport;
class UiPort;
class Wintools;

// Sending and receiving turns: packs the turn files of one address group and mails them,
// and takes in received KLT archives and the files in the working folder through the
// receive batch. One instance lives for the whole run; it remembers which programs and
// games received files, for the bold marks of the main window.
class TurnExchange {
 public:
  TurnExchange(UiPort& ui, Wintools& tools, ProgramList& programs, ArchiveWrapper& archive,
               MailTransport& mail);
  ~TurnExchange();
  TurnExchange(const TurnExchange&) = delete;
  TurnExchange& operator=(const TurnExchange&) = delete;

  // Sends games[first..last] (0-based, inclusive), all for `address`: the KLT message,
  // then one message per program for ZIP and plain modes. `taunt` asks for a taunt text
  // per message; `messageOnly` sends a message without files. False at the first
  // failure or cancel.
  bool SendGroup(const QString& address, const GameList& games, int first, int last, bool taunt,
                 bool messageOnly);

  // Takes in one received KLT archive. False when it was not taken in.
  bool ReceivedFile(const QString& path);
  // Takes in what waits in the working folder's program subfolders (every refresh).
  void ProcessWorkingFolder();
  // Empties the instance folder's program subfolders and SENDER.TXT.
  bool DeleteTempDir(QString* senderPath = nullptr);
  // Unpacks the archives found in one folder.
  void DecompressFolder(const QString& folder);
  // The menu command that asks for and creates the working folder.
  void SetWorkingFolderCommand();

  // A fresh receive batch for the adapters (Services::newBatch).
  std::unique_ptr<ReceiveBatch> NewBatch();

  // Upper-case short names, and short name + TAB + game name, that received files.
  const KeyedCollection& ReceivedPrograms() const { return m_receivedPrograms; }
  const KeyedCollection& ReceivedGames() const { return m_receivedGames; }

 private:
  UiPort& m_ui;
  Wintools& m_tools;
  ProgramList& m_programs;
  ArchiveWrapper& m_archive;
  MailTransport& m_mail;
  KeyedCollection m_receivedPrograms;
  KeyedCollection m_receivedGames;
};

}  // namespace kolt
