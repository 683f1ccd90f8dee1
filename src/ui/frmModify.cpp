#include "ui/frmModify.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <algorithm>
#include <cerrno>

#include "core/Settings.h"
#include "core/UiPort.h"
#include "model/Program.h"
#include "model/Wintools.h"
#include "programs/CUSTOM/CUSTOM_Game.h"
#include "programs/CUSTOM/ProgramDefinition.h"
#include "ui/FocusReturn.h"
#include "ui_frmModify.h"

namespace kolt {
namespace {

const QString kTrue = QStringLiteral("True");
// Every file, also those without an extension, as "*.*" shows them on Windows.
const QString kAnyFile = QStringLiteral("*.* (*)");

// Adds items to an editable combo box without replacing what it shows.
void AddSuggestions(QComboBox& box, const QStringList& items) {
  const QString text = box.currentText();
  box.addItems(items);
  box.setCurrentIndex(-1);
  box.setEditText(text);
}

}  // namespace

frmModify::frmModify(UiPort& ui, Wintools& tools, std::shared_ptr<UserProgram> program, QWidget* parent)
    : QDialog(parent),
      m_form(std::make_unique<Ui::frmModify>()),
      m_ui(ui),
      m_tools(tools),
      m_program(std::move(program)) {
  m_form->setupUi(this);
  m_chkFlag = {m_form->chkFlag0, m_form->chkFlag1, m_form->chkFlag2, m_form->chkFlag3};
  m_form->txtUninstall->SetBeforePopup([this] { FillUninstallSuggestions(); });
  m_form->txtDescription->SetBeforePopup([this] { FillDescriptionSuggestions(); });
  m_form->lvFileTypes->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  // Wide enough for the file types list to show its five columns.
  resize(780, sizeHint().height());

  connect(m_form->cmdExe, &QPushButton::clicked, this, &frmModify::cmdExe_Click);
  connect(m_form->cmdEMailSubDir, &QPushButton::clicked, this, &frmModify::cmdEMailSubDir_Click);
  connect(m_form->cmdFilePattern, &QPushButton::clicked, this, &frmModify::cmdFilePattern_Click);
  connect(m_form->cmdDescription, &QPushButton::clicked, this, &frmModify::cmdDescription_Click);
  // Add makes the row at once, so that what is typed next lands in it.
  connect(m_form->cmdAdd, &QPushButton::clicked, this, &frmModify::cmdAdd_Click);
  connect(m_form->cmdRemove, &QPushButton::clicked, this, &frmModify::cmdRemove_Click);
  // Fills in the selected row's extension from a file of that type.
  connect(m_form->cmdExtension, &QPushButton::clicked, this, &frmModify::cmdExtension_Click);
  connect(m_form->cmdOK, &QPushButton::clicked, this, &frmModify::cmdOK_Click);
  connect(m_form->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(m_form->txtExtension, &QLineEdit::textEdited, this, &frmModify::txtExtension_Change);
  connect(m_form->lvFileTypes, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* current) { ShowRow(current); });
  for (int i = 0; i < 4; ++i)
    connect(m_chkFlag[size_t(i)], &QCheckBox::clicked, this,
            [this, i](bool checked) { chkFlag_Click(i, checked); });

  m_chooser = [](QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted) return QString();
    return dialog.selectedFiles().value(0);
  };

  Form_Load();
}

frmModify::~frmModify() = default;

void frmModify::Form_Load() {
  m_changed = false;
  m_path = m_program->GetIniPath();
  const ProgramDefinition definition = ProgramDefinition::Read(m_path);
  m_savedSubDir = definition.EMailSubDir;
  setWindowTitle(tr("Modify %1 (%2)").arg(m_program->GetShortName(), m_path));
  m_form->txtLongName->setText(definition.LongName.isEmpty() ? m_program->GetShortName()
                                                             : definition.LongName);
  m_form->txtExe->setText(definition.EXE);
  m_form->txtEMailSubDir->setText(definition.EMailSubDir);
  m_form->txtUninstall->setEditText(definition.Uninstall);
  m_form->txtFilePattern->setText(definition.KOLTFilePattern);
  m_form->txtDescription->setEditText(definition.Description);
  m_form->txtCommandLine->setText(definition.CommandLine);
  m_form->txtContact->setText(definition.Contact);
  m_form->txtContactEMail->setText(definition.ContactEMail);

  for (const CUSTOM_File& type : definition.Files) {
    QTreeWidgetItem* item = AddRow(type.Ext, {type.Primary, type.Modified, type.CheckSame, type.Required});
    if (type.Primary) {
      QFont bold = item->font(0);
      bold.setBold(true);
      for (int c = 0; c < 5; ++c) item->setFont(c, bold);
    }
  }
  if (m_form->lvFileTypes->topLevelItemCount() > 0)
    m_form->lvFileTypes->setCurrentItem(m_form->lvFileTypes->topLevelItem(0));
  EnableRowEditor();
}

void frmModify::EnableRowEditor() {
  // Without a row there is nothing to type into: greyed, so that nothing typed is lost.
  const bool row = m_form->lvFileTypes->currentItem() != nullptr;
  m_form->txtExtension->setEnabled(row);
  m_form->cmdExtension->setEnabled(row);
  m_form->cmdRemove->setEnabled(row);
  for (QCheckBox* box : m_chkFlag) box->setEnabled(row);
}

QTreeWidgetItem* frmModify::AddRow(const QString& ext, const std::array<bool, 4>& flags) {
  QStringList cells{ext};
  for (bool flag : flags) cells.append(flag ? kTrue : QString());
  return new QTreeWidgetItem(m_form->lvFileTypes, cells);
}

void frmModify::ShowRow(QTreeWidgetItem* item) {
  EnableRowEditor();
  if (!item) return;
  m_form->txtExtension->setText(item->text(0));
  for (int i = 0; i < 4; ++i) m_chkFlag[size_t(i)]->setChecked(item->text(i + 1) == kTrue);
}

void frmModify::txtExtension_Change(const QString& text) {
  if (QTreeWidgetItem* item = m_form->lvFileTypes->currentItem()) item->setText(0, text.trimmed());
}

void frmModify::chkFlag_Click(int index, bool checked) {
  if (QTreeWidgetItem* item = m_form->lvFileTypes->currentItem())
    item->setText(index + 1, checked ? kTrue : QString());
}

QString frmModify::StartFolder(bool turns) const {
  // The folder the program was found in, or its turn folder below it; the process's
  // own working folder means nothing to the user.
  QString installed = m_program->GetDirectory();
  if (installed.isEmpty()) installed = IniRead(m_program->GetShortName(), QStringLiteral("Directory"));
  if (installed.isEmpty() || !QFileInfo(installed).isDir()) return QDir::homePath();
  const QString& subfolder = m_savedSubDir;
  if (turns && !subfolder.isEmpty() && QFileInfo(QDir(installed).filePath(subfolder)).isDir())
    return QDir(installed).filePath(subfolder);
  return installed;
}

QString frmModify::ChooseFile(const QString& title, const QString& filter, bool turns) {
  const FocusReturn back(this);
  QFileDialog dialog(this);
  dialog.setDirectory(StartFolder(turns));
  dialog.setWindowTitle(title);
  dialog.setNameFilter(filter);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  return m_chooser ? m_chooser(dialog) : QString();
}

void frmModify::cmdAdd_Click() {
  const bool first = m_form->lvFileTypes->topLevelItemCount() == 0;
  QTreeWidgetItem* item = AddRow(QString(), {first, first, true, true});
  m_form->lvFileTypes->setCurrentItem(item);
  ShowRow(item);
  m_form->txtExtension->setFocus(Qt::OtherFocusReason);
}

void frmModify::cmdExtension_Click() {
  QTreeWidgetItem* item = m_form->lvFileTypes->currentItem();
  if (!item) return;
  const QString chosen = ChooseFile(tr("Select the file."), kAnyFile, true);
  if (chosen.isEmpty()) return;
  item->setText(0, QFileInfo(chosen).suffix().toUpper());
  ShowRow(item);
}

void frmModify::cmdRemove_Click() {
  QTreeWidgetItem* item = m_form->lvFileTypes->currentItem();
  if (!item) return;
  const int index = m_form->lvFileTypes->indexOfTopLevelItem(item);
  delete item;
  const int count = m_form->lvFileTypes->topLevelItemCount();
  if (count == 0) {
    m_form->txtExtension->clear();
    for (QCheckBox* box : m_chkFlag) box->setChecked(false);
    EnableRowEditor();
    return;
  }
  QTreeWidgetItem* next = m_form->lvFileTypes->topLevelItem(std::min(index, count - 1));
  m_form->lvFileTypes->setCurrentItem(next);
  ShowRow(next);
}

void frmModify::cmdExe_Click() {
  const QString chosen = ChooseFile(tr("Select the executable."), QStringLiteral("*.exe (*.exe)"), false);
  if (!chosen.isEmpty()) m_form->txtExe->setText(QFileInfo(chosen).fileName().toUpper());
}

void frmModify::cmdEMailSubDir_Click() {
  const QString chosen = ChooseFile(tr("Select some file in the e-mail subfolder (if any)."), kAnyFile, true);
  if (chosen.isEmpty() || !QFileInfo::exists(chosen)) return;
  m_form->txtEMailSubDir->setText(QFileInfo(chosen).absoluteDir().dirName());
}

void frmModify::cmdFilePattern_Click() {
  const QString chosen = ChooseFile(tr("Select the primary file."), kAnyFile, true);
  if (!chosen.isEmpty())
    m_form->txtFilePattern->setText(QStringLiteral("*.") + QFileInfo(chosen).suffix().toUpper());
}

void frmModify::cmdDescription_Click() {
  const QString rule = m_form->txtDescription->currentText().toUpper();
  if (rule.isEmpty()) {
    m_ui.MsgBox(tr("Please define the description rule first."), Buttons::Ok, Icon::Exclamation);
    return;
  }
  const QString chosen = ChooseFile(tr("Select the file to test the description rule."), kAnyFile, true);
  if (chosen.isEmpty()) return;
  m_ui.MsgBox(DescriptionRule(m_ui, chosen, rule), Buttons::Ok, Icon::None, tr("The file description"));
}

void frmModify::FillUninstallSuggestions() {
  if (m_uninstallFilled) return;
  m_uninstallFilled = true;
  QStringList names;
  for (const QString& name : m_tools.UninstallKeyNames()) {
    // Entries named by a GUID say nothing to the user.
    if (name.isEmpty() || name.startsWith(QChar('{'))) continue;
    names.append(name.left(255));
  }
  AddSuggestions(*m_form->txtUninstall, names);
}

void frmModify::FillDescriptionSuggestions() {
  if (m_descriptionFilled) return;
  m_descriptionFilled = true;
  AddSuggestions(
      *m_form->txtDescription,
      {QStringLiteral("LINE1"), QStringLiteral("LINE2"), QStringLiteral("LINE3"), QStringLiteral("LINE4"),
       QStringLiteral("LINE5"), QStringLiteral("LINE6"), QStringLiteral("TRIM"), QStringLiteral("MID21,64")});
}

ProgramDefinition frmModify::Shown() const {
  ProgramDefinition definition;
  definition.LongName = m_form->txtLongName->text();
  definition.EXE = m_form->txtExe->text();
  definition.EMailSubDir = m_form->txtEMailSubDir->text();
  definition.Uninstall = m_form->txtUninstall->currentText();
  definition.KOLTFilePattern = m_form->txtFilePattern->text();
  definition.Description = m_form->txtDescription->currentText();
  definition.CommandLine = m_form->txtCommandLine->text();
  definition.Contact = m_form->txtContact->text();
  definition.ContactEMail = m_form->txtContactEMail->text();
  for (int i = 0; i < m_form->lvFileTypes->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* item = m_form->lvFileTypes->topLevelItem(i);
    definition.Files.push_back({.Ext = item->text(0),
                                .Primary = item->text(1) == kTrue,
                                .CheckSame = item->text(3) == kTrue,
                                .Required = item->text(4) == kTrue,
                                .Modified = item->text(2) == kTrue});
  }
  return definition;
}

bool frmModify::CheckFileTypes(const ProgramDefinition& definition) {
  for (const QString& warning : definition.FileTypeWarnings()) {
    if (m_ui.MsgBox(warning, Buttons::OkCancel, Icon::None) != Answer::Ok) return false;
  }
  return true;
}

void frmModify::cmdOK_Click() {
  const ProgramDefinition definition = Shown();
  if (!CheckFileTypes(definition)) return;
  if (!definition.Write(m_path)) {
    // The dialog stays open with everything typed, for another try or a copy by hand.
    SetSystemError(errno);
    m_ui.ShowError(tr("Can't write the definition file %1").arg(m_path));
    return;
  }
  m_changed = true;
  accept();
}

QString frmModify::HelpText(const QWidget* control) const {
  for (const QWidget* w = control; w && w != this; w = w->parentWidget()) {
    if (w == m_form->txtLongName) return tr("Long descriptive name (e.g. 'Steel Panthers: World At War').");
    if (w == m_form->txtExe) return tr("The executable name (e.g. 'GAME.EXE').");
    if (w == m_form->txtEMailSubDir) return tr("The KOLT subfolder (e.g. 'KOLT' or 'EMAIL' or nothing).");
    if (w == m_form->txtUninstall)
      return tr("The uninstall string from HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ "
                "(e.g. "
                "'Steel_Panthers_World_At_War' or nothing). %1 can possibly find the installed program by "
                "this "
                "information. You can have several strings here, if you separate them by the | character "
                "(vertical line). Use RegEdit to browse the registry, but do not change anything!")
          .arg(AppTitle());
    if (w == m_form->txtFilePattern)
      return tr(
          "The file pattern for KOLT files (e.g. 'SAVE?' or '*.TXT' or 'EMAIL*.CMT'). This pattern must "
          "match the Primary file type extension.");
    if (w == m_form->txtDescription)
      return tr(
          "LINE n: Use the n'th line from the primary file as description. TRIM: Use the first null "
          "terminating string. MIDo,l: Skip o-1 characters, then read l characters, and then trim it.");
    if (w == m_form->txtCommandLine)
      return tr(
          "The command line option for starting the executable directly in the selected game when Play "
          "F9 is clicked (e.g.\r\n\"%f\" \"%p\"\r\nor nothing if the program does not support it). %f will "
          "be replaced by the file path and %p by the password.");
    if (w == m_form->lvFileTypes)
      return tr(
          "You must have at least one file type defined. Some programs have several files for one game. "
          "In that case the file base is always the same, only extension changes.");
    if (w == m_form->txtExtension) return tr("The extension for the file (e.g. 'CMT' or 'TXT' or nothing).");
    if (w == m_chkFlag[0])
      return tr(
          "One of the files must be the primary file. The extension must match the file pattern "
          "defined above.");
    if (w == m_chkFlag[1]) return tr("The modification date is checked from one of the files.");
    if (w == m_chkFlag[2]) return tr("Enable this if the file modification date must be newer each time.");
    if (w == m_chkFlag[3]) return tr("Enable this if the file must exist.");
  }
  return tr("Set focus to some control and press F1 again.");
}

void frmModify::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
    m_ui.MsgBox(HelpText(focusWidget()), Buttons::Ok, Icon::Information);
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace kolt
