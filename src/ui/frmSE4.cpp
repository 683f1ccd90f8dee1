#include "ui/frmSE4.h"

#include <QHeaderView>

#include "core/UiPort.h"
#include "ui/PlainTip.h"
#include "ui_frmSE4.h"

namespace kolt {
namespace {

enum Column { Number, Empire, Leader, EMail, State, Ai, ColumnCount };

void SetBold(QTreeWidgetItem* item, int column, bool bold) {
  QFont font = item->font(column);
  font.setBold(bold);
  item->setFont(column, font);
}

}  // namespace

frmSE4::frmSE4(UiPort& ui, PlayersEdit& edit, QWidget* parent)
    : QDialog(parent), m_form(std::make_unique<Ui::frmSE4>()), m_ui(ui), m_edit(edit) {
  m_form->setupUi(this);
  setWindowTitle(edit.caption);
  connect(m_form->cmdSetMe, &QPushButton::clicked, this, &frmSE4::cmdSetMe_Click);
  connect(m_form->cmdSetAI, &QPushButton::clicked, this, &frmSE4::cmdSetAI_Click);
  connect(m_form->cmdClose, &QPushButton::clicked, this, &frmSE4::cmdClose_Click);
  connect(m_form->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  // A double click on a player toggles the computer's control, as Set under AI does.
  connect(m_form->lvPlayers, &QTreeWidget::itemDoubleClicked, this, [this] { cmdSetAI_Click(); });
  Fill();
}

frmSE4::~frmSE4() = default;

void frmSE4::Fill() {
  m_form->lvPlayers->clear();
  for (const PlayerRow& row : m_edit.rows) {
    auto* item = new QTreeWidgetItem(m_form->lvPlayers);
    item->setText(Number, QString::number(row.number));
    item->setText(Empire, row.empire);
    item->setText(Leader, row.leader);
    item->setText(EMail, row.email);
    item->setText(State, row.state);
    item->setText(Ai, row.ai ? QStringLiteral("X") : QString());
    item->setTextAlignment(Number, Qt::AlignRight | Qt::AlignVCenter);
    item->setTextAlignment(Ai, Qt::AlignHCenter | Qt::AlignVCenter);
    // Names and addresses come from the save file, another player's text.
    for (int c = Empire; c <= State; ++c) item->setToolTip(c, PlainTip(item->text(c)));
    SetBold(item, Empire, row.me);
    SetBold(item, EMail, row.ownAddress);
  }
  // Every column as wide as its content; the addresses take what is left.
  QHeaderView* header = m_form->lvPlayers->header();
  header->setStretchLastSection(false);
  for (int c = 0; c < ColumnCount; ++c) {
    m_form->lvPlayers->resizeColumnToContents(c);
    m_form->lvPlayers->setColumnWidth(c, m_form->lvPlayers->columnWidth(c) + 12);
  }
  header->setSectionResizeMode(EMail, QHeaderView::Stretch);
  if (m_form->lvPlayers->topLevelItemCount() > 0)
    m_form->lvPlayers->setCurrentItem(m_form->lvPlayers->topLevelItem(0));
  m_form->txtHostPassword->setText(m_edit.hostPassword);
}

void frmSE4::cmdSetMe_Click() {
  QTreeWidgetItem* selected = m_form->lvPlayers->currentItem();
  if (!selected || !selected->isSelected()) return;
  const QString question =
      tr("Normally you are detected from your e-mail address that is defined in KOLT helper options. If for "
         "some reason it is different than your e-mail address in this game, you can define your own empire "
         "here. Click OK to set %1 (%2) as your empire.")
          .arg(selected->text(Empire), selected->text(EMail));
  if (m_ui.MsgBox(question, Buttons::OkCancel, Icon::Question) != Answer::Ok) return;
  for (int i = 0; i < m_form->lvPlayers->topLevelItemCount(); ++i)
    SetBold(m_form->lvPlayers->topLevelItem(i), Empire, false);
  SetBold(selected, Empire, true);
  m_form->lvPlayers->setFocus();
}

void frmSE4::cmdSetAI_Click() {
  QTreeWidgetItem* selected = m_form->lvPlayers->currentItem();
  if (!selected || !selected->isSelected()) return;
  selected->setText(Ai, selected->text(Ai).isEmpty() ? QStringLiteral("X") : QString());
  m_form->lvPlayers->setFocus();
}

void frmSE4::cmdClose_Click() {
  m_edit.hostPassword = m_form->txtHostPassword->text();
  for (int i = 0; i < m_form->lvPlayers->topLevelItemCount() && i < static_cast<int>(m_edit.rows.size());
       ++i) {
    const QTreeWidgetItem* item = m_form->lvPlayers->topLevelItem(i);
    PlayerRow& row = m_edit.rows[static_cast<size_t>(i)];
    row.me = item->font(Empire).bold();
    row.ai = !item->text(Ai).isEmpty();
  }
  accept();
}

}  // namespace kolt
