#include "ui/frmSE4.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/UiPort.h"
#include "ui/PlainTip.h"

namespace kolt {
namespace {

enum Column { Number, Empire, Leader, EMail, State, Ai, ColumnCount };

void SetBold(QTreeWidgetItem* item, int column, bool bold) {
  QFont font = item->font(column);
  font.setBold(bold);
  item->setFont(column, font);
}

}  // namespace

frmSE4::frmSE4(UiPort& ui, PlayersEdit& edit, QWidget* parent) : QDialog(parent), m_ui(ui), m_edit(edit) {
  setObjectName(QStringLiteral("frmSE4"));
  setWindowTitle(edit.caption);

  m_lvPlayers = new QTreeWidget;
  m_lvPlayers->setObjectName(QStringLiteral("lvPlayers"));
  m_lvPlayers->setRootIsDecorated(false);
  m_lvPlayers->setUniformRowHeights(true);
  m_lvPlayers->setAllColumnsShowFocus(true);
  m_lvPlayers->setHeaderLabels({QStringLiteral("#"), QStringLiteral("Empire"), QStringLiteral("Leader"),
                                QStringLiteral("E-mail"), QStringLiteral("Status"), QStringLiteral("AI")});
  m_txtHostPassword = new QLineEdit;
  m_txtHostPassword->setObjectName(QStringLiteral("txtHostPassword"));

  auto button = [](const char* name, const QString& text) {
    auto* b = new QPushButton(text);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
  };
  QPushButton* cmdSetMe = button("cmdSetMe", QStringLiteral("Set &me..."));
  QPushButton* cmdSetAI = button("cmdSetAI", QStringLiteral("Set under &AI"));
  QPushButton* cmdClose = button("cmdClose", QStringLiteral("&Close"));
  cmdClose->setDefault(true);
  QPushButton* cmdCancel = button("cmdCancel", QStringLiteral("Cancel"));

  auto* password = new QFormLayout;
  password->addRow(QStringLiteral("&Host password:"), m_txtHostPassword);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdSetMe);
  buttons->addWidget(cmdSetAI);
  buttons->addStretch(1);
  buttons->addWidget(cmdClose);
  buttons->addWidget(cmdCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_lvPlayers, 1);
  layout->addLayout(password);
  layout->addLayout(buttons);
  resize(760, 360);

  connect(cmdSetMe, &QPushButton::clicked, this, &frmSE4::cmdSetMe_Click);
  connect(cmdSetAI, &QPushButton::clicked, this, &frmSE4::cmdSetAI_Click);
  connect(cmdClose, &QPushButton::clicked, this, &frmSE4::cmdClose_Click);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  // A double click on a player toggles the computer's control, as Set under AI does.
  connect(m_lvPlayers, &QTreeWidget::itemDoubleClicked, this, [this] { cmdSetAI_Click(); });
  Fill();
}

void frmSE4::Fill() {
  m_lvPlayers->clear();
  for (const PlayerRow& row : m_edit.rows) {
    auto* item = new QTreeWidgetItem(m_lvPlayers);
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
  QHeaderView* header = m_lvPlayers->header();
  header->setStretchLastSection(false);
  for (int c = 0; c < ColumnCount; ++c) {
    m_lvPlayers->resizeColumnToContents(c);
    m_lvPlayers->setColumnWidth(c, m_lvPlayers->columnWidth(c) + 12);
  }
  header->setSectionResizeMode(EMail, QHeaderView::Stretch);
  if (m_lvPlayers->topLevelItemCount() > 0) m_lvPlayers->setCurrentItem(m_lvPlayers->topLevelItem(0));
  m_txtHostPassword->setText(m_edit.hostPassword);
}

void frmSE4::cmdSetMe_Click() {
  QTreeWidgetItem* selected = m_lvPlayers->currentItem();
  if (!selected || !selected->isSelected()) return;
  const QString question =
      QStringLiteral(
          "Normally you are detected from your e-mail address that is defined in KOLT helper options.") +
      QStringLiteral(
          " If for some reason it is different than your e-mail address in this game, you can define your "
          "own "
          "empire here.") +
      QStringLiteral(" Click OK to set ") + selected->text(Empire) + QStringLiteral(" (") +
      selected->text(EMail) + QStringLiteral(") as your empire.");
  if (m_ui.MsgBox(question, Buttons::OkCancel, Icon::Question) != Answer::Ok) return;
  for (int i = 0; i < m_lvPlayers->topLevelItemCount(); ++i)
    SetBold(m_lvPlayers->topLevelItem(i), Empire, false);
  SetBold(selected, Empire, true);
  m_lvPlayers->setFocus();
}

void frmSE4::cmdSetAI_Click() {
  QTreeWidgetItem* selected = m_lvPlayers->currentItem();
  if (!selected || !selected->isSelected()) return;
  selected->setText(Ai, selected->text(Ai).isEmpty() ? QStringLiteral("X") : QString());
  m_lvPlayers->setFocus();
}

void frmSE4::cmdClose_Click() {
  m_edit.hostPassword = m_txtHostPassword->text();
  for (int i = 0; i < m_lvPlayers->topLevelItemCount() && i < static_cast<int>(m_edit.rows.size()); ++i) {
    const QTreeWidgetItem* item = m_lvPlayers->topLevelItem(i);
    PlayerRow& row = m_edit.rows[static_cast<size_t>(i)];
    row.me = item->font(Empire).bold();
    row.ai = !item->text(Ai).isEmpty();
  }
  accept();
}

}  // namespace kolt
