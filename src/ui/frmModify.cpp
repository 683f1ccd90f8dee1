#include "ui/frmModify.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cerrno>

#include "core/Settings.h"
#include "core/UiPort.h"
#include "model/Program.h"
#include "platform/Wintools.h"
#include "programs/CUSTOM/CUSTOM_Game.h"
#include "programs/CUSTOM/ProgramDefinition.h"
#include "ui/FocusReturn.h"

namespace kolt {
namespace {

const QString kTrue = QStringLiteral("True");
// Every file, also those without an extension, as "*.*" shows them on Windows.
const QString kAnyFile = QStringLiteral("*.* (*)");

// A combo box that fills its suggestions the first time it drops down.
class SuggestionBox final : public QComboBox {
 public:
  std::function<void()> beforePopup;
  void showPopup() override {
    if (beforePopup) beforePopup();
    QComboBox::showPopup();
  }
};

QLineEdit* Field(const char* name) {
  auto* field = new QLineEdit;
  field->setObjectName(QString::fromLatin1(name));
  return field;
}

QPushButton* Button(const char* name, const QString& text) {
  auto* button = new QPushButton(text);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}

// Adds items to an editable combo box without replacing what it shows.
void AddSuggestions(QComboBox& box, const QStringList& items) {
  const QString text = box.currentText();
  box.addItems(items);
  box.setCurrentIndex(-1);
  box.setEditText(text);
}

}  // namespace

frmModify::frmModify(UiPort& ui, Wintools& tools, std::shared_ptr<UserProgram> program, QWidget* parent)
    : QDialog(parent), m_ui(ui), m_tools(tools), m_program(std::move(program)) {
  setObjectName(QStringLiteral("frmModify"));

  m_txtLongName = Field("txtLongName");
  m_txtExe = Field("txtExe");
  m_txtEMailSubDir = Field("txtEMailSubDir");
  auto* uninstall = new SuggestionBox;
  uninstall->beforePopup = [this] { FillUninstallSuggestions(); };
  m_txtUninstall = uninstall;
  m_txtUninstall->setObjectName(QStringLiteral("txtUninstall"));
  m_txtFilePattern = Field("txtFilePattern");
  auto* description = new SuggestionBox;
  description->beforePopup = [this] { FillDescriptionSuggestions(); };
  m_txtDescription = description;
  m_txtDescription->setObjectName(QStringLiteral("txtDescription"));
  for (QComboBox* box : {m_txtUninstall, m_txtDescription}) {
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(24);
  }
  m_txtCommandLine = Field("txtCommandLine");
  m_txtContact = Field("txtContact");
  m_txtContactEMail = Field("txtContactEMail");

  auto* cmdExe = Button("cmdExe", QStringLiteral("&Browse..."));
  auto* cmdEMailSubDir = Button("cmdEMailSubDir", QStringLiteral("Br&owse..."));
  auto* cmdFilePattern = Button("cmdFilePattern", QStringLiteral("Bro&wse..."));
  auto* cmdDescription = Button("cmdDescription", QStringLiteral("&Test..."));

  auto* fields = new QGridLayout;
  int row = 0;
  auto addRow = [&](const QString& label, QWidget* field, QPushButton* button) {
    auto* l = new QLabel(label);
    l->setBuddy(field);
    fields->addWidget(l, row, 0);
    fields->addWidget(field, row, 1);
    if (button) fields->addWidget(button, row, 2);
    ++row;
  };
  addRow(QStringLiteral("Lon&g name:"), m_txtLongName, nullptr);
  addRow(QStringLiteral("&Executable name:"), m_txtExe, cmdExe);
  addRow(QStringLiteral("E-mail sub&folder:"), m_txtEMailSubDir, cmdEMailSubDir);
  addRow(QStringLiteral("&Uninstall string:"), m_txtUninstall, nullptr);
  addRow(QStringLiteral("File &pattern:"), m_txtFilePattern, cmdFilePattern);
  addRow(QStringLiteral("&Description:"), m_txtDescription, cmdDescription);
  addRow(QStringLiteral("&Command line:"), m_txtCommandLine, nullptr);

  auto* fraContact = new QGroupBox(QStringLiteral("Co&ntact"));
  fraContact->setObjectName(QStringLiteral("fraContact"));
  auto* contact = new QGridLayout(fraContact);
  contact->addWidget(new QLabel(QStringLiteral("This program definition was created by:")), 0, 0, 1, 2);
  auto* lblContact = new QLabel(QStringLiteral("Na&me:"));
  lblContact->setBuddy(m_txtContact);
  contact->addWidget(lblContact, 1, 0);
  contact->addWidget(m_txtContact, 1, 1);
  auto* lblContactEMail = new QLabel(QStringLiteral("E-mai&l:"));
  lblContactEMail->setBuddy(m_txtContactEMail);
  contact->addWidget(lblContactEMail, 2, 0);
  contact->addWidget(m_txtContactEMail, 2, 1);

  m_lvFileTypes = new QTreeWidget;
  m_lvFileTypes->setObjectName(QStringLiteral("lvFileTypes"));
  m_lvFileTypes->setHeaderLabels({QStringLiteral("Extension"), QStringLiteral("Primary?"),
                                  QStringLiteral("Modified?"), QStringLiteral("Check same date?"),
                                  QStringLiteral("Required?")});
  m_lvFileTypes->setRootIsDecorated(false);
  m_lvFileTypes->setUniformRowHeights(true);
  m_lvFileTypes->setSelectionMode(QAbstractItemView::SingleSelection);
  m_lvFileTypes->setAllColumnsShowFocus(true);
  m_lvFileTypes->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  m_lvFileTypes->setMinimumHeight(110);

  m_txtExtension = Field("txtExtension");
  const QString flagTexts[4] = {QStringLiteral("Primar&y file"), QStringLiteral("Mod&ified"),
                                QStringLiteral("C&heck same date"), QStringLiteral("Re&quired")};
  auto* rowEditor = new QVBoxLayout;
  auto* extension = new QHBoxLayout;
  auto* lblExtension = new QLabel(QStringLiteral("E&xtension:"));
  lblExtension->setBuddy(m_txtExtension);
  extension->addWidget(lblExtension);
  extension->addWidget(m_txtExtension);
  // Fills in the selected row's extension from a file of that type.
  m_cmdExtension = Button("cmdExtension", QStringLiteral("Brow&se..."));
  extension->addWidget(m_cmdExtension);
  rowEditor->addLayout(extension);
  for (int i = 0; i < 4; ++i) {
    m_chkFlag[size_t(i)] = new QCheckBox(flagTexts[i]);
    m_chkFlag[size_t(i)]->setObjectName(QStringLiteral("chkFlag") + QString::number(i));
    rowEditor->addWidget(m_chkFlag[size_t(i)]);
    connect(m_chkFlag[size_t(i)], &QCheckBox::clicked, this,
            [this, i](bool checked) { chkFlag_Click(i, checked); });
  }
  // Add makes the row at once, so that what is typed next lands in it.
  auto* cmdAdd = Button("cmdAdd", QStringLiteral("&Add"));
  m_cmdRemove = Button("cmdRemove", QStringLiteral("&Remove"));
  auto* rowButtons = new QHBoxLayout;
  rowButtons->addWidget(cmdAdd);
  rowButtons->addWidget(m_cmdRemove);
  rowEditor->addLayout(rowButtons);
  rowEditor->addStretch(1);

  auto* fileTypes = new QHBoxLayout;
  fileTypes->addWidget(m_lvFileTypes, 1);
  fileTypes->addLayout(rowEditor);

  auto* cmdOK = new QPushButton(QStringLiteral("OK"));
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);
  auto* cmdCancel = Button("cmdCancel", QStringLiteral("Cancel"));
  auto* lblHelp = new QLabel(QStringLiteral("Press F1 for help."));
  lblHelp->setObjectName(QStringLiteral("lblHelp"));
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(lblHelp);
  bottom->addStretch(1);
  bottom->addWidget(cmdOK);
  bottom->addWidget(cmdCancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(fraContact);
  layout->addLayout(fileTypes);
  layout->addLayout(bottom);
  // Wide enough for the file types list to show its five columns.
  resize(780, sizeHint().height());

  connect(cmdExe, &QPushButton::clicked, this, &frmModify::cmdExe_Click);
  connect(cmdEMailSubDir, &QPushButton::clicked, this, &frmModify::cmdEMailSubDir_Click);
  connect(cmdFilePattern, &QPushButton::clicked, this, &frmModify::cmdFilePattern_Click);
  connect(cmdDescription, &QPushButton::clicked, this, &frmModify::cmdDescription_Click);
  connect(cmdAdd, &QPushButton::clicked, this, &frmModify::cmdAdd_Click);
  connect(m_cmdRemove, &QPushButton::clicked, this, &frmModify::cmdRemove_Click);
  connect(m_cmdExtension, &QPushButton::clicked, this, &frmModify::cmdExtension_Click);
  connect(cmdOK, &QPushButton::clicked, this, &frmModify::cmdOK_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(m_txtExtension, &QLineEdit::textEdited, this, &frmModify::txtExtension_Change);
  connect(m_lvFileTypes, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* current) { ShowRow(current); });

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
  setWindowTitle(QStringLiteral("Modify ") + m_program->GetShortName() + QStringLiteral(" (") + m_path +
                 QChar(')'));
  m_txtLongName->setText(definition.LongName.isEmpty() ? m_program->GetShortName() : definition.LongName);
  m_txtExe->setText(definition.EXE);
  m_txtEMailSubDir->setText(definition.EMailSubDir);
  m_txtUninstall->setEditText(definition.Uninstall);
  m_txtFilePattern->setText(definition.KOLTFilePattern);
  m_txtDescription->setEditText(definition.Description);
  m_txtCommandLine->setText(definition.CommandLine);
  m_txtContact->setText(definition.Contact);
  m_txtContactEMail->setText(definition.ContactEMail);

  for (const CUSTOM_File& type : definition.Files) {
    QTreeWidgetItem* item = AddRow(type.Ext, {type.Primary, type.Modified, type.CheckSame, type.Required});
    if (type.Primary) {
      QFont bold = item->font(0);
      bold.setBold(true);
      for (int c = 0; c < 5; ++c) item->setFont(c, bold);
    }
  }
  if (m_lvFileTypes->topLevelItemCount() > 0) m_lvFileTypes->setCurrentItem(m_lvFileTypes->topLevelItem(0));
  EnableRowEditor();
}

void frmModify::EnableRowEditor() {
  // Without a row there is nothing to type into: greyed, so that nothing typed is lost.
  const bool row = m_lvFileTypes->currentItem() != nullptr;
  m_txtExtension->setEnabled(row);
  m_cmdExtension->setEnabled(row);
  m_cmdRemove->setEnabled(row);
  for (QCheckBox* box : m_chkFlag) box->setEnabled(row);
}

QTreeWidgetItem* frmModify::AddRow(const QString& ext, const std::array<bool, 4>& flags) {
  QStringList cells{ext};
  for (bool flag : flags) cells.append(flag ? kTrue : QString());
  return new QTreeWidgetItem(m_lvFileTypes, cells);
}

void frmModify::ShowRow(QTreeWidgetItem* item) {
  EnableRowEditor();
  if (!item) return;
  m_txtExtension->setText(item->text(0));
  for (int i = 0; i < 4; ++i) m_chkFlag[size_t(i)]->setChecked(item->text(i + 1) == kTrue);
}

void frmModify::txtExtension_Change(const QString& text) {
  if (QTreeWidgetItem* item = m_lvFileTypes->currentItem()) item->setText(0, text.trimmed());
}

void frmModify::chkFlag_Click(int index, bool checked) {
  if (QTreeWidgetItem* item = m_lvFileTypes->currentItem())
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
  const bool first = m_lvFileTypes->topLevelItemCount() == 0;
  QTreeWidgetItem* item = AddRow(QString(), {first, first, true, true});
  m_lvFileTypes->setCurrentItem(item);
  ShowRow(item);
  m_txtExtension->setFocus(Qt::OtherFocusReason);
}

void frmModify::cmdExtension_Click() {
  QTreeWidgetItem* item = m_lvFileTypes->currentItem();
  if (!item) return;
  const QString chosen = ChooseFile(QStringLiteral("Select the file."), kAnyFile, true);
  if (chosen.isEmpty()) return;
  item->setText(0, QFileInfo(chosen).suffix().toUpper());
  ShowRow(item);
}

void frmModify::cmdRemove_Click() {
  QTreeWidgetItem* item = m_lvFileTypes->currentItem();
  if (!item) return;
  const int index = m_lvFileTypes->indexOfTopLevelItem(item);
  delete item;
  const int count = m_lvFileTypes->topLevelItemCount();
  if (count == 0) {
    m_txtExtension->clear();
    for (QCheckBox* box : m_chkFlag) box->setChecked(false);
    EnableRowEditor();
    return;
  }
  QTreeWidgetItem* next = m_lvFileTypes->topLevelItem(std::min(index, count - 1));
  m_lvFileTypes->setCurrentItem(next);
  ShowRow(next);
}

void frmModify::cmdExe_Click() {
  const QString chosen =
      ChooseFile(QStringLiteral("Select the executable."), QStringLiteral("*.exe (*.exe)"), false);
  if (!chosen.isEmpty()) m_txtExe->setText(QFileInfo(chosen).fileName().toUpper());
}

void frmModify::cmdEMailSubDir_Click() {
  const QString chosen =
      ChooseFile(QStringLiteral("Select some file in the e-mail subfolder (if any)."), kAnyFile, true);
  if (chosen.isEmpty() || !QFileInfo::exists(chosen)) return;
  m_txtEMailSubDir->setText(QFileInfo(chosen).absoluteDir().dirName());
}

void frmModify::cmdFilePattern_Click() {
  const QString chosen = ChooseFile(QStringLiteral("Select the primary file."), kAnyFile, true);
  if (!chosen.isEmpty())
    m_txtFilePattern->setText(QStringLiteral("*.") + QFileInfo(chosen).suffix().toUpper());
}

void frmModify::cmdDescription_Click() {
  const QString rule = m_txtDescription->currentText().toUpper();
  if (rule.isEmpty()) {
    m_ui.MsgBox(QStringLiteral("Please define the description rule first."), Buttons::Ok, Icon::Exclamation);
    return;
  }
  const QString chosen =
      ChooseFile(QStringLiteral("Select the file to test the description rule."), kAnyFile, true);
  if (chosen.isEmpty()) return;
  m_ui.MsgBox(DescriptionRule(m_ui, chosen, rule), Buttons::Ok, Icon::None,
              QStringLiteral("The file description"));
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
  AddSuggestions(*m_txtUninstall, names);
}

void frmModify::FillDescriptionSuggestions() {
  if (m_descriptionFilled) return;
  m_descriptionFilled = true;
  AddSuggestions(
      *m_txtDescription,
      {QStringLiteral("LINE1"), QStringLiteral("LINE2"), QStringLiteral("LINE3"), QStringLiteral("LINE4"),
       QStringLiteral("LINE5"), QStringLiteral("LINE6"), QStringLiteral("TRIM"), QStringLiteral("MID21,64")});
}

ProgramDefinition frmModify::Shown() const {
  ProgramDefinition definition;
  definition.LongName = m_txtLongName->text();
  definition.EXE = m_txtExe->text();
  definition.EMailSubDir = m_txtEMailSubDir->text();
  definition.Uninstall = m_txtUninstall->currentText();
  definition.KOLTFilePattern = m_txtFilePattern->text();
  definition.Description = m_txtDescription->currentText();
  definition.CommandLine = m_txtCommandLine->text();
  definition.Contact = m_txtContact->text();
  definition.ContactEMail = m_txtContactEMail->text();
  for (int i = 0; i < m_lvFileTypes->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* item = m_lvFileTypes->topLevelItem(i);
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
    m_ui.ShowError(QStringLiteral("Can't write the definition file ") + m_path);
    return;
  }
  m_changed = true;
  accept();
}

QString frmModify::HelpText(const QWidget* control) const {
  for (const QWidget* w = control; w && w != this; w = w->parentWidget()) {
    if (w == m_txtLongName)
      return QStringLiteral("Long descriptive name (e.g. 'Steel Panthers: World At War').");
    if (w == m_txtExe) return QStringLiteral("The executable name (e.g. 'GAME.EXE').");
    if (w == m_txtEMailSubDir)
      return QStringLiteral("The KOLT subfolder (e.g. 'KOLT' or 'EMAIL' or nothing).");
    if (w == m_txtUninstall)
      return QStringLiteral(
                 "The uninstall string from HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ "
                 "(e.g. "
                 "'Steel_Panthers_World_At_War' or nothing). ") +
             AppTitle() +
             QStringLiteral(
                 " can possibly find the installed program by this information. You can have several strings "
                 "here, if you separate them by the | character (vertical line). Use RegEdit to browse the "
                 "registry, but do not change anything!");
    if (w == m_txtFilePattern)
      return QStringLiteral(
          "The file pattern for KOLT files (e.g. 'SAVE?' or '*.TXT' or 'EMAIL*.CMT'). This pattern must "
          "match "
          "the Primary file type extension.");
    if (w == m_txtDescription)
      return QStringLiteral(
          "LINE n: Use the n'th line from the primary file as description. TRIM: Use the first null "
          "terminating string. MIDo,l: Skip o-1 characters, then read l characters, and then trim it.");
    if (w == m_txtCommandLine)
      return QStringLiteral(
                 "The command line option for starting the executable directly in the selected game when "
                 "Play "
                 "F9 is clicked (e.g.") +
             QStringLiteral("\r\n\"%f\" \"%p\"\r\n") +
             QStringLiteral(
                 "or nothing if the program does not support it). %f will be replaced by the file path and "
                 "%p by "
                 "the password.");
    if (w == m_lvFileTypes)
      return QStringLiteral(
          "You must have at least one file type defined. Some programs have several files for one game. In "
          "that case the file base is always the same, only extension changes.");
    if (w == m_txtExtension)
      return QStringLiteral("The extension for the file (e.g. 'CMT' or 'TXT' or nothing).");
    if (w == m_chkFlag[0])
      return QStringLiteral(
          "One of the files must be the primary file. The extension must match the file pattern defined "
          "above.");
    if (w == m_chkFlag[1]) return QStringLiteral("The modification date is checked from one of the files.");
    if (w == m_chkFlag[2])
      return QStringLiteral("Enable this if the file modification date must be newer each time.");
    if (w == m_chkFlag[3]) return QStringLiteral("Enable this if the file must exist.");
  }
  return QStringLiteral("Set focus to some control and press F1 again.");
}

void frmModify::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
    m_ui.MsgBox(HelpText(focusWidget()), Buttons::Ok, Icon::Information);
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace kolt
