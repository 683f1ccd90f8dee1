#pragma once

#include <QStringList>
#include <memory>
#include <vector>

#include "model/Game.h"
#include "model/Program.h"
#include "model/ProgramRegistry.h"
#include "model/Status.h"

namespace kolt::test {

// A game whose values the test sets and whose changes it reads back.
class TestGame : public Game {
 public:
  TestGame(QString name, QString status, QString email, QString password = QString(),
           QString mode = mode::Klt)
      : name(std::move(name)),
        status(std::move(status)),
        email(std::move(email)),
        password(std::move(password)),
        mode(std::move(mode)) {}

  void Init(std::shared_ptr<Program> p, const QString&, const QString&) override { program = std::move(p); }
  bool IsValid() const override { return true; }
  std::shared_ptr<Program> GetProgram() const override { return program.lock(); }
  QString GetName() const override { return name; }
  QString GetDescription() const override { return QStringLiteral("about ") + name; }
  QString GetModified() const override { return modified; }
  qint64 GetSize() const override { return 1536; }
  QString GetStatus() const override { return status; }
  QString GetMode() const override { return mode; }
  bool SetMode(const QString& m) override { return Store(mode, m); }
  QString GetEMail() const override { return email; }
  bool SetEMail(const QString& a) override { return Store(email, a); }
  QStringList GetFiles() const override { return files; }
  void Delete() override { deleted = true; }
  bool SetSent() override { return true; }
  bool SetReceived() override { return true; }
  QString GetPassword() const override { return password; }
  bool SetPassword(const QString& p) override { return Store(password, p); }

  // Weak: the test program keeps its games, as a program keeps what it listed.
  std::weak_ptr<Program> program;
  QString name, status, email, password, mode;
  QString modified = QStringLiteral("1/2/26 10:00 AM");
  QStringList files;  // what a send takes
  bool deleted = false;
  bool storable = true;  // false: the settings file refuses every value

 private:
  bool Store(QString& field, const QString& value) {
    if (storable) field = value;
    return storable;
  }
};

// A program that serves the games the test gives it and records what it is asked to do.
class TestProgram : public Program {
 public:
  explicit TestProgram(QString shortName) : shortName(std::move(shortName)) {}

  QString GetShortName() const override { return shortName; }
  QString GetLongName() const override {
    return QStringLiteral("The ") + shortName + QStringLiteral(" game");
  }
  QString GetEMailDir() const override { return QStringLiteral("EMAIL"); }
  QString GetExeName() const override { return QStringLiteral("game.exe"); }
  bool Installed(bool) override { return true; }
  void NotInstalled() override { calls.append(QStringLiteral("NotInstalled")); }
  QString GetDirectory() const override { return QStringLiteral("/games/") + shortName; }
  QString GetVersion() const override { return QStringLiteral("1.2.3"); }
  ProgramState GetStatus() const override {
    return running ? ProgramState::Running : ProgramState::NotRunning;
  }
  bool Run(WindowHandle) override {
    calls.append(QStringLiteral("Run"));
    return true;
  }
  GameList InitGames() override {
    GameList list;
    for (const auto& g : games) {
      g->Init(Self(), QString(), g->name);
      list.push_back(g);
    }
    return list;
  }
  void ReceivedFiles(const QString&, const QString&, bool) override {}
  bool SupportsPasswords() const override { return passwords; }
  bool Provides(OptionalOperation op) const override {
    return (op == OptionalOperation::Host && hosts) || (op == OptionalOperation::ProcessTurn && passwords);
  }
  bool ProcessTurn(WindowHandle, Game& game, const QString& password) override {
    calls.append(QStringLiteral("ProcessTurn ") + game.GetName() + QChar(' ') + password);
    return true;
  }
  bool Host(WindowHandle, Game& game) override {
    calls.append(QStringLiteral("Host ") + game.GetName());
    return true;
  }

  std::shared_ptr<TestGame> AddGame(const QString& name, const QString& status, const QString& email,
                                    const QString& password = QString()) {
    auto g = std::make_shared<TestGame>(name, status, email, password);
    games.push_back(g);
    return g;
  }

  QString shortName;
  std::vector<std::shared_ptr<TestGame>> games;
  QStringList calls;
  bool running = false;
  bool passwords = false;
  bool hosts = false;
};

inline ProgramFactories FactoriesFor(std::vector<std::shared_ptr<TestProgram>> programs) {
  ProgramFactories f;
  for (auto& p : programs) f.builtins.push_back([p](const Services&) -> ProgramPtr { return p; });
  return f;
}

}  // namespace kolt::test
