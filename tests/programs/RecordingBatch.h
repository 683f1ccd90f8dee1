#pragma once

#include <QDir>
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

    // One line per file handed on, names relative to `in` and `root`: the received name,
    // its target and key, then only the flags and addresses that are set.
    QStringList Lines(const QString& in, const QString& root) const {
      QStringList lines;
      for (const File& f : files) {
        QString line = QDir(in).relativeFilePath(f.file) + " -> " +
                       QDir(root).relativeFilePath(f.targetFolder) + " key=" + f.key;
        if (f.sameIsOld) line += " old";
        if (f.primary) line += " primary";
        if (!f.storedAddress.isEmpty()) line += " stored=" + f.storedAddress;
        if (!f.senderAddress.isEmpty()) line += " from=" + f.senderAddress;
        if (!f.extra.isEmpty()) line += " extra=" + f.extra;
        lines.append(line);
      }
      return lines;
    }
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
