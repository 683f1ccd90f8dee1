#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class OptionsOverviewPage;
}

namespace kolt {

// The settings dialog's page of the player's overview: how many earlier turns are kept,
// after how many days a game to play is marked, and whether closing the window leaves
// the program in the tray.
class OptionsOverviewPage final : public QWidget {
  Q_OBJECT

 public:
  explicit OptionsOverviewPage(QWidget* parent = nullptr);
  ~OptionsOverviewPage() override;

  // Writes the fields; false when the settings file refused them.
  bool Apply();

  // Places the page in `dialog`: as a tab of its tab widget when it has one, else above
  // its last layout item (the buttons).
  void AddTo(QWidget* dialog);

 private:
  std::unique_ptr<Ui::OptionsOverviewPage> m_ui;
};

}  // namespace kolt
