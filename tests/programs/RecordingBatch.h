#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "model/ReceiveBatch.h"

namespace kolt::test {

// A receive batch that only records what an adapter hands it.
class RecordingBatch final : public ReceiveBatch {
 public:
  struct File {
    QString file, targetFolder;
    bool sameIsOld = false;
    QString storedAddress, senderAddress;
    bool primary = false;
    QString key, extra;
  };
  struct Log {
    QString program;  // short name given to BeginReceive
    std::vector<File> files;
    QStringList messages;
    bool finished = false;
    QString sender;
    std::shared_ptr<Game> game;
    bool plain = false;
  };

  explicit RecordingBatch(std::shared_ptr<Log> log) : m_log(std::move(log)) {}

  void BeginReceive(std::shared_ptr<Program> program) override {
    m_log->program = program ? program->GetShortName() : QString();
  }
  void AddReceivedFile(const QString& file, const QString& targetFolder, bool sameIsOld,
                       const QString& storedAddress, const QString& senderAddress, bool primary,
                       const QString& key, const QString& extra) override {
    m_log->files.push_back(
        File{file, targetFolder, sameIsOld, storedAddress, senderAddress, primary, key, extra});
  }
  void AddMessage(const QString& text) override { m_log->messages.append(text); }
  bool FinishReceive(const QString& sender, std::shared_ptr<Game> game, bool plain) override {
    m_log->finished = true;
    m_log->sender = sender;
    m_log->game = std::move(game);
    m_log->plain = plain;
    return true;
  }

 private:
  std::shared_ptr<Log> m_log;
};

}  // namespace kolt::test
