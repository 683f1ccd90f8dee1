#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace Ui {
class frmTaunt;
}

namespace kolt {

class UiPort;

// The taunt editor: a personal text to the opponent before a message goes out, with a
// list of stored texts (settings section [Text]) that are appended on selection.
// Reports through DialogResult: the text (lines joined by CR LF), or nothing when the
// sending was cancelled.
class frmTaunt final : public QDialog {
  Q_OBJECT

 public:
  // `ui` asks the cancel question.
  explicit frmTaunt(UiPort& ui, QWidget* parent = nullptr);
  ~frmTaunt() override;

  // The recipient and the games text; loads the stored texts.
  void Prepare(const QString& address, const QString& gamesText);
  std::optional<QString> DialogResult() const { return m_result; }

  // The stored texts in list order.
  QStringList StoredTexts() const;
  // Adds a stored text: an entry equal ignoring case is replaced; the list stays sorted.
  void AddTextToList(const QString& text);

  // What the signature entry says.
  static QString SignatureText();

  void reject() override;
  void done(int result) override;

 private:
  void Form_Load();
  void txtText_Return();
  void cmbText_Activated(int index);
  void cmdDelText_Click();
  void cmdSend_Click();
  void SaveTexts();

  std::unique_ptr<Ui::frmTaunt> m_form;
  UiPort& m_port;
  std::optional<QString> m_result;
  bool m_saved = false;
};

}  // namespace kolt
