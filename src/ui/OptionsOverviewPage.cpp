#include "ui/OptionsOverviewPage.h"

#include <QBoxLayout>
#include <QTabWidget>

#include "core/OverviewSettings.h"
#include "ui_OptionsOverviewPage.h"

namespace kolt {

OptionsOverviewPage::OptionsOverviewPage(QWidget* parent)
    : QWidget(parent), m_ui(std::make_unique<Ui::OptionsOverviewPage>()) {
  m_ui->setupUi(this);
  m_ui->spnKeepTurns->setValue(KeepTurns());
  m_ui->spnLateDays->setValue(LateDays());
  m_ui->chkKeepRunning->setChecked(KeepRunningInTray());
}

OptionsOverviewPage::~OptionsOverviewPage() = default;

bool OptionsOverviewPage::Apply() {
  bool ok = SetKeepTurns(m_ui->spnKeepTurns->value());
  ok = SetLateDays(m_ui->spnLateDays->value()) && ok;
  ok = SetKeepRunningInTray(m_ui->chkKeepRunning->isChecked()) && ok;
  return ok;
}

void OptionsOverviewPage::AddTo(QWidget* dialog) {
  if (auto* tabs = dialog->findChild<QTabWidget*>()) {
    tabs->addTab(this, windowTitle());  // the form's title: "Overview"

    return;
  }
  if (auto* box = qobject_cast<QBoxLayout*>(dialog->layout()))
    box->insertWidget(std::max(box->count() - 1, 0), this);
}

}  // namespace kolt
