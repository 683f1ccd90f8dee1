#pragma once

#include <QComboBox>
#include <functional>

namespace kolt {

// An editable combo box that fills its suggestions the first time it drops down, so a
// slow source (the Wine registry) is read only when the user asks for it.
class SuggestionBox final : public QComboBox {
  Q_OBJECT

 public:
  explicit SuggestionBox(QWidget* parent = nullptr) : QComboBox(parent) {}

  // Runs before the list opens.
  void SetBeforePopup(std::function<void()> fill) { m_beforePopup = std::move(fill); }

  void showPopup() override {
    if (m_beforePopup) m_beforePopup();
    QComboBox::showPopup();
  }

 private:
  std::function<void()> m_beforePopup;
};

}  // namespace kolt
