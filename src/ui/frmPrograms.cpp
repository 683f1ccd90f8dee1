#include "ui/frmPrograms.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPushButton>
#include <QSet>
#include <QTreeWidget>
#include <cerrno>

#include "core/AppSettings.h"
#include "core/Startup.h"
#include "core/UiPort.h"
#include "core/Utilities.h"
#include "model/ListRows.h"
#include "model/ProgramRegistry.h"
#include "model/Status.h"
#include "programs/CUSTOM/ProgramDefinition.h"
#include "ui/frmModify.h"
#include "ui_frmPrograms.h"

namespace kolt {
namespace {

bool IsUserDefined(const Program& program) {
  return dynamic_cast<const UserProgram*>(&program) != nullptr;
}

bool IsShortNameCharacter(QChar c) {
  return (c >= QChar('A') && c <= QChar('Z')) || (c >= QChar('0') && c <= QChar('9'));
}

}  // namespace

frmPrograms::frmPrograms(UiPort& ui, Wintools& tools, ProgramRegistry& registry, WindowHandle mainWindow,
                         QWidget* parent)
    : QDialog(parent),
      m_form(std::make_unique<Ui::frmPrograms>()),
      m_ui(ui),
      m_tools(tools),
      m_registry(registry),
      m_mainWindow(mainWindow) {
  m_form->setupUi(this);
  m_lvInstalled = m_form->lvInstalled;
  m_lvInstalled->setHeaderLabels(ProgramColumnHeaders());
  m_lvInstalled->installEventFilter(this);

  const std::pair<QPushButton*, void (frmPrograms::*)()> handlers[] = {
      {m_form->cmdAdd, &frmPrograms::cmdAdd_Click},
      {m_form->cmdModify, &frmPrograms::cmdModify_Click},
      {m_form->cmdRemove, &frmPrograms::cmdRemove_Click},
      {m_form->cmdDisable, &frmPrograms::cmdDisable_Click},
      {m_form->cmdEnable, &frmPrograms::cmdEnable_Click},
      {m_form->cmdRestore, &frmPrograms::cmdRestore_Click},
      {m_form->cmdRun, &frmPrograms::cmdRun_Click},
      {m_form->cmdRefresh, &frmPrograms::cmdRefresh_Click},
  };
  for (const auto& [button, handler] : handlers) connect(button, &QPushButton::clicked, this, handler);
  connect(m_form->cmdClose, &QPushButton::clicked, this, &QWidget::close);

  connect(m_lvInstalled, &QTreeWidget::itemDoubleClicked, this, [this] { cmdModify_Click(); });
  m_lvInstalled->setFocus();

  FillList(true);
}

frmPrograms::~frmPrograms() = default;

QString frmPrograms::DefinitionPath(const QString& shortName) {
  return ProgramDefinition::PathFor(shortName);
}

void frmPrograms::FillList(bool reload) {
  if (reload) m_registry.BuildProgramList(m_programs, {.includeAll = true});

  QSet<QString> selected;
  for (const QTreeWidgetItem* item : m_lvInstalled->selectedItems()) selected.insert(item->text(0));
  m_lvInstalled->clear();

  for (const ProgramPtr& program : m_programs) {
    QStringList cells{program->GetShortName(), program->GetLongName()};
    if (program->Installed(false)) {
      cells << program->GetVersion() << ShownStatus(ProgramStateText(program->GetStatus()))
            << program->GetDirectory();
    } else if (const auto user = std::dynamic_pointer_cast<UserProgram>(program)) {
      cells << QString() << user->GetProblem();  // why it is not installed, when known
    }
    auto* item = new QTreeWidgetItem(m_lvInstalled, cells);
    if (IsUserDefined(*program)) {
      QFont bold = item->font(0);
      bold.setBold(true);
      item->setFont(0, bold);
    }
    item->setSelected(false);
    if (selected.contains(cells[0])) {
      item->setSelected(true);
      m_lvInstalled->setCurrentItem(item);
    }
  }
  for (int c = 0; c + 1 < m_lvInstalled->columnCount(); ++c) m_lvInstalled->resizeColumnToContents(c);
}

ProgramPtr frmPrograms::Selected() const {
  const QList<QTreeWidgetItem*> items = m_lvInstalled->selectedItems();
  if (items.isEmpty()) return nullptr;
  return m_programs.Find(items.first()->text(0));
}

void frmPrograms::cmdAdd_Click() {
  const std::optional<QString> answer = m_ui.InputBox(
      tr("Enter the short name for the new program. It should contain 2-8 characters, only A-Z and 0-9 are "
         "allowed."),
      tr("New program"));
  if (!answer || answer->isEmpty()) return;
  // Upper case first: it can lengthen a name ("ß" becomes "SS"), and the upper-case name
  // is the one that must fit.
  const QString name = answer->toUpper();
  if (name.size() < 2 || name.size() > 8) {
    m_ui.MsgBox(tr("Invalid length: %1").arg(name.size()), Buttons::Ok, Icon::None);
    return;
  }
  for (QChar c : name) {
    if (!IsShortNameCharacter(c)) {
      m_ui.MsgBox(tr("Invalid character: %1").arg(c), Buttons::Ok, Icon::Exclamation);
      return;
    }
  }
  bool taken = ProgramRegistry::IsReservedName(name);
  for (int i = 0; i < m_lvInstalled->topLevelItemCount() && !taken; ++i)
    taken = m_lvInstalled->topLevelItem(i)->text(0) == name;
  if (taken) {
    m_ui.MsgBox(tr("Name is already in use!"), Buttons::Ok, Icon::Exclamation);
    return;
  }

  // A definition left by an earlier removal keeps everything but its long name.
  const QString path = DefinitionPath(name);
  if (!ProgramDefinition::WriteLongName(path, name)) {
    SetSystemError(errno);
    m_ui.ShowError(tr("Can't write the definition file %1").arg(path));
    return;
  }
  QStringList removed = RemovedPrograms();
  if (ArrayRemove(removed, name) && !SetRemovedPrograms(removed)) m_ui.ShowSettingsWriteError();
  m_changed = true;
  FillList(true);
}

void frmPrograms::cmdModify_Click() {
  const ProgramPtr program = Selected();
  if (!program) return;
  const auto user = std::dynamic_pointer_cast<UserProgram>(program);
  if (!user) {
    m_ui.MsgBox(tr("%1 is hard coded and can't be modified.").arg(program->GetShortName()), Buttons::Ok,
                Icon::Exclamation);
    return;
  }
  frmModify editor(m_ui, m_tools, user, this);
  if (m_editorHook) m_editorHook(editor);
  editor.exec();
  if (editor.Changed()) {
    m_changed = true;
    FillList(true);
  }
}

void frmPrograms::cmdRemove_Click() {
  const ProgramPtr program = Selected();
  if (!program) return;
  const QString name = program->GetShortName();
  if (!IsUserDefined(*program)) {
    m_ui.MsgBox(tr("%1 is hard coded and can't be removed, but you can disable it if you want.").arg(name),
                Buttons::Ok, Icon::Exclamation);
    return;
  }
  const QString question = tr("Do you want to remove %1? The program will just be removed from the list of "
                              "installed games, the %2 file still remains.")
                               .arg(name, DefinitionPath(name));
  if (m_ui.MsgBox(question, Buttons::OkCancel, Icon::Question) != Answer::Ok) return;
  QStringList removed = RemovedPrograms();
  ArrayAdd(removed, name);
  if (!SetRemovedPrograms(removed)) {
    m_ui.ShowSettingsWriteError();
    return;
  }
  m_changed = true;
  FillList(true);
}

void frmPrograms::cmdDisable_Click() {
  const ProgramPtr program = Selected();
  if (!program || !program->Installed(false)) return;
  if (m_ui.MsgBox(tr("Do you really want to disable %1?").arg(program->GetLongName()), Buttons::YesNo,
                  Icon::None, QString(), 2) != Answer::Yes)
    return;
  program->NotInstalled();
  m_changed = true;
  FillList(true);
}

void frmPrograms::cmdEnable_Click() {
  const ProgramPtr program = Selected();
  if (!program || program->Installed(false)) return;
  if (!program->Installed(true)) return;
  m_changed = true;
  FillList(false);
}

void frmPrograms::cmdRestore_Click() {
  const QStringList removed = RemovedPrograms();
  if (removed.isEmpty()) return;
  if (m_ui.MsgBox(JoinNonEmpty(removed) + QStringLiteral("\r\n\r\n") +
                      tr("Do you want to restore all removed programs?"),
                  Buttons::OkCancel, Icon::Question) != Answer::Ok)
    return;
  if (!SetRemovedPrograms({})) {
    m_ui.ShowSettingsWriteError();
    return;
  }
  m_changed = true;
  FillList(true);
}

void frmPrograms::cmdRun_Click() {
  const ProgramPtr program = Selected();
  if (!program || !program->Installed(false) || program->GetStatus() != ProgramState::NotRunning) return;
  if (program->Run(m_mainWindow)) FillList(false);
}

void frmPrograms::cmdRefresh_Click() {
  FillList(true);
}

void frmPrograms::Form_Unload() {
  if (!m_changed) return;
  for (const ProgramPtr& program : m_programs) {
    if (!IsUserDefined(*program)) continue;
    const QString path = DefinitionPath(program->GetShortName());
    // Only the empty keys would have gone, so nothing is lost; the user learns all the
    // same that the file cannot be written (a file removed meanwhile is not missed).
    if (!ProgramDefinition::Compact(path)) {
      const int error = errno;
      if (QFileInfo::exists(path)) {
        SetSystemError(error);
        m_ui.ShowError(tr("Can't write the definition file %1").arg(path));
      }
    }
  }
  m_ui.MsgBox(tr("You have to restart %1 so that the changes take effect.").arg(AppTitle()), Buttons::Ok,
              Icon::Information);

  m_changed = false;  // told once
}

void frmPrograms::closeEvent(QCloseEvent* event) {
  Form_Unload();
  event->accept();
}

void frmPrograms::reject() {
  // Esc closes like the Close button.
  close();
}

bool frmPrograms::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_lvInstalled && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      cmdModify_Click();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace kolt
