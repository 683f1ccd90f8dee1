#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "core/UiPort.h"

namespace kolt::test {

// A UI port that records every text verbatim and answers from a script. Without a
// scripted answer a message box answers with its default button and an input box is
// cancelled.
class ScriptedUi : public UiPort {
 public:
  struct Box {
    QString text;
    QString title;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    int defaultButton = 1;
    Answer answer = Answer::Ok;
  };

  void Answers(std::initializer_list<Answer> answers) {
    for (Answer a : answers) m_answers.push_back(a);
  }
  void Inputs(std::initializer_list<std::optional<QString>> inputs) {
    for (const auto& i : inputs) m_inputs.push_back(i);
  }

  Answer ShowMessageBox(const QString& text, Buttons buttons, Icon icon, const QString& title,
                        int defaultButton) override {
    if (onBox) onBox(text);
    Answer a = DefaultAnswer(buttons, defaultButton);
    if (!m_answers.empty()) {
      a = m_answers.front();
      m_answers.pop_front();
    }
    boxes.push_back(Box{text, title.isEmpty() ? AppTitle() : title, buttons, icon, defaultButton, a});
    return a;
  }

  std::optional<QString> InputBox(const QString& prompt, const QString& title,
                                  const QString& defaultText) override {
    prompts.append(prompt);
    (void)title;
    (void)defaultText;
    if (m_inputs.empty()) return std::nullopt;
    const bool given = m_inputs.front().has_value();
    const QString value = given ? *m_inputs.front() : QString();
    m_inputs.pop_front();
    if (!given) return std::nullopt;
    return value;
  }

  std::optional<QString> AskInstallFolder(const QString& caption, const QString& question,
                                          const QString& folder, const QString& exeName) override {
    folderQuestions.push_back(FolderQuestion{caption, question, folder, exeName});
    if (m_folders.empty()) return std::nullopt;
    const bool given = m_folders.front().has_value();
    const QString value = given ? *m_folders.front() : QString();
    m_folders.pop_front();
    if (!given) return std::nullopt;
    return value;
  }
  void Folders(std::initializer_list<std::optional<QString>> folders) {
    for (const auto& f : folders) m_folders.push_back(f);
  }

  // Answers the taunt dialog from Taunts(); without a scripted answer, an empty text.
  std::optional<QString> AskTaunt(const QString& address, const QString& gamesText) override {
    tauntQuestions.push_back({address, gamesText});
    if (m_taunts.empty()) return QString();
    const bool given = m_taunts.front().has_value();
    const QString value = given ? *m_taunts.front() : QString();
    m_taunts.pop_front();
    if (!given) return std::nullopt;
    return value;
  }
  void Taunts(std::initializer_list<std::optional<QString>> taunts) {
    for (const auto& t : taunts) m_taunts.push_back(t);
  }

  // A question with a check box: the box is recorded like any other; Checks() gives the
  // state the user leaves the check box in (without one, it stays as it was).
  Answer AskWithCheckBox(const QString& text, const QString& checkText, bool* checked, Buttons buttons,
                         Icon icon, int defaultButton) override {
    checkTexts.append(checkText);
    const Answer a = MsgBox(text, buttons, icon, QString(), defaultButton);
    if (!m_checks.empty()) {
      *checked = m_checks.front();
      m_checks.pop_front();
    }
    return a;
  }
  void Checks(std::initializer_list<bool> checks) {
    for (bool c : checks) m_checks.push_back(c);
  }

  void ShowStatus(const QString& text) override {
    statuses.append(text);
    if (onStatus) onStatus(text);
  }
  void DoEvents() override { ++doEvents; }
  void Beep() override { ++beeps; }

  QStringList Texts() const {
    QStringList t;
    for (const Box& b : boxes) t.append(b.text);
    return t;
  }
  bool ScriptUsedUp() const {
    return m_answers.empty() && m_inputs.empty() && m_folders.empty() && m_taunts.empty() && m_checks.empty();
  }

  struct FolderQuestion {
    QString caption, question, folder, exeName;
  };
  // Run as a box is shown or a status text is set: a test changes the world at exactly
  // that moment of the work.
  std::function<void(const QString&)> onBox, onStatus;
  std::vector<FolderQuestion> folderQuestions;
  std::vector<std::pair<QString, QString>> tauntQuestions;  // address, games text
  std::vector<Box> boxes;
  QStringList prompts;
  QStringList checkTexts;  // the check boxes under questions, in order
  QStringList statuses;
  int doEvents = 0;
  int beeps = 0;

 private:
  std::deque<Answer> m_answers;
  std::deque<std::optional<QString>> m_inputs;
  std::deque<std::optional<QString>> m_folders;
  std::deque<std::optional<QString>> m_taunts;
  std::deque<bool> m_checks;
};

}  // namespace kolt::test
