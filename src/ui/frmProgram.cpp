#include "ui/frmProgram.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "core/UiPort.h"
#include "model/Wintools.h"
#include "ui/FocusReturn.h"
#include "ui_frmProgram.h"

namespace kolt {

QString frmProgram::TypedFolder(const QString& typed, Wintools* tools) {
  QString t = typed.trimmed();
  if (t == QStringLiteral("~")) return QDir::homePath();
  if (t.startsWith(QStringLiteral("~/"))) return QDir::homePath() + t.mid(1);
  // A Windows path, as the game's own documents give it: through the Wine prefix's drives.
  if (tools && t.size() >= 2 && t[1] == QChar(':') && t[0].isLetter()) {
    QString mapped = tools->ToUnixPath(t);
    if (!mapped.isEmpty()) return mapped;
  }
  return t;
}

frmProgram::frmProgram(UiPort& ui, QWidget* parent)
    : QDialog(parent), m_form(std::make_unique<Ui::frmProgram>()), m_port(ui) {
  m_form->setupUi(this);
  connect(m_form->OKButton, &QPushButton::clicked, this, &frmProgram::OKButton_Click);
  connect(m_form->CancelButton, &QPushButton::clicked, this, &frmProgram::CancelButton_Click);
  connect(m_form->cmdBrowse, &QPushButton::clicked, this, &frmProgram::cmdBrowse_Click);
  m_chooser = [](QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted) return QString();
    return dialog.selectedFiles().value(0);
  };
}

frmProgram::~frmProgram() = default;

void frmProgram::Prepare(const QString& caption, const QString& question, const QString& folder,
                         const QString& exeName) {
  setWindowTitle(caption);
  m_form->lblQuestion->setText(question);
  m_form->txtDirectory->setText(folder == QStringLiteral("-") ? QString() : folder);
  m_exeName = exeName;
  m_result.reset();
}

void frmProgram::OKButton_Click() {
  const QString typed = m_form->txtDirectory->text();
  if (typed.trimmed().isEmpty() || typed.trimmed() == QStringLiteral("-")) {
    m_result = QString();  // the opener takes this as "not installed"
    accept();
    return;
  }
  const QString t = TypedFolder(typed, m_tools);
  if (QFileInfo(t).isDir()) {
    m_result = QDir::cleanPath(t);
    accept();
    return;
  }
  m_port.MsgBox(tr("Folder '%1' does not exist").arg(typed), Buttons::Ok, Icon::None);
}

void frmProgram::CancelButton_Click() {
  reject();
}

void frmProgram::reject() {
  // Esc and the window's close box cancel too.
  m_result.reset();
  QDialog::reject();
}

void frmProgram::ConfigureFileDialog(QFileDialog& dialog) const {
  dialog.setWindowTitle(windowTitle());
  dialog.setDirectory(m_form->txtDirectory->text());
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  if (!m_exeName.isEmpty()) {
    // Only the executable is offered; Wine folders may spell it in any case, and the
    // dialog's name filters ignore case.
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(m_exeName + QStringLiteral(" (") + m_exeName + QChar(')'));
    dialog.setDefaultSuffix(QStringLiteral("exe"));
  } else {
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
  }
}

void frmProgram::cmdBrowse_Click() {
  const FocusReturn back(this);
  QFileDialog dialog(this);
  ConfigureFileDialog(dialog);
  const QString chosen = m_chooser ? m_chooser(dialog) : QString();
  if (chosen.isEmpty()) return;
  const QFileInfo info(chosen);
  // A chosen folder is the folder itself; a chosen file names its folder.
  const QString folder = m_exeName.isEmpty() && info.isDir() ? info.absoluteFilePath() : info.absolutePath();
  if (!folder.isEmpty()) m_form->txtDirectory->setText(QDir::toNativeSeparators(folder));
}

}  // namespace kolt
