#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <memory>

namespace Ui {
class frmAbout;
}

namespace kolt {

class UiPort;

// The about box: name, version and purpose of the program, links to the readme, the
// program's page and the libraries it is built on, and a button that starts the
// desktop's system-information program.
class frmAbout final : public QDialog {
  Q_OBJECT

 public:
  // `ui` shows the dialog's own message (no system-information program).
  explicit frmAbout(UiPort& ui, QWidget* parent = nullptr);
  ~frmAbout() override;

  // What the link label `labelName` opens ("lblReadme", "lblCheckVersion", "lblZIP",
  // "lblBLAT", "lblQt", "lblX11"); empty for other names.
  QUrl LinkTarget(const QString& labelName) const;
  // Opens a link label's target; a readme that does not exist, or a link the desktop
  // cannot open, is reported in a message box.
  void OpenLink(const QString& labelName);

  // The system-information programs looked for on PATH, in order of preference.
  static QStringList SysInfoPrograms();
  // Starts the first one found; else "System Information Is Unavailable At This Time".
  // True when one was started.
  bool StartSysInfo();

  // Opens a URL with the desktop (QDesktopServices by default). Tests replace it.
  using UrlOpener = std::function<bool(const QUrl&)>;
  void SetUrlOpener(UrlOpener opener) { m_opener = std::move(opener); }

 private:
  void Form_Load();
  void cmdSysInfo_Click();
  void cmdOK_Click();

  std::unique_ptr<Ui::frmAbout> m_form;
  UiPort& m_port;
  UrlOpener m_opener;
};

}  // namespace kolt
