#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "core/Settings.h"
#include "support/Child.h"
#include "support/ScriptedUi.h"
#include "support/TempHome.h"
#include "ui/QtUiPort.h"
#include "ui/frmTaunt.h"

using namespace kolt;
using namespace kolt::test;

namespace {

const QString kSignature = "KOLT Helper: KOLT Helper for Linux";

struct Taunt {
  TempHome home;
  ScriptedUi ui;
  frmTaunt form{ui};
  QPlainTextEdit* message = Child<QPlainTextEdit>(form, "txtTaunt");
  QLineEdit* text = Child<QLineEdit>(form, "txtText");
  QComboBox* list = Child<QComboBox>(form, "cmbText");

  void Open() {
    form.Prepare("ivan@example.org", "SPWAW/email001.cmt (Kursk)");
    form.show();
    QApplication::processEvents();
  }
  void Pick(const QString& entry) const {
    const int i = list->findText(entry, Qt::MatchExactly | Qt::MatchCaseSensitive);
    ASSERT_GE(i, 0) << entry.toStdString();
    list->setCurrentIndex(i);
    emit list->activated(i);
  }
};

}  // namespace

TEST(frmTaunt, FirstOpeningStoresTheBlankAndTheSignature) {
  Taunt t;
  t.Open();
  EXPECT_EQ(Child<QLineEdit>(t.form, "txtEMail")->text(), "ivan@example.org");
  EXPECT_TRUE(Child<QLineEdit>(t.form, "txtEMail")->isReadOnly());
  EXPECT_EQ(Child<QLineEdit>(t.form, "txtGames")->text(), "SPWAW/email001.cmt (Kursk)");
  // No [Text] section yet: the blank entry and the signature.
  EXPECT_EQ(t.form.StoredTexts(), QStringList({" ", kSignature}));

  t.message->setPlainText("Your flank is open.");
  Child<QPushButton>(t.form, "cmdSend")->click();
  EXPECT_EQ(t.form.DialogResult(), std::optional<QString>("Your flank is open."));
  // The blank entry is written as a blank (the store reads values trimmed).
  EXPECT_TRUE(ReadFile(t.home.Ini()).contains("[Text]\r\n0= \r\n1=" + kSignature.toUtf8() + "\r\n"));
  EXPECT_EQ(IniReadSection("Text"), QStringList({"0=", "1=" + kSignature}));
}

TEST(frmTaunt, StoredTextsAreAppendedKeptSortedAndRewrittenWhole) {
  Taunt t;
  IniWriteSection("Text", {"0=Hello", "1=a=b", "junk line", "2=", "7=Zebra"});
  t.Open();
  EXPECT_EQ(t.form.StoredTexts(), QStringList({" ", "a=b", "Hello", kSignature, "Zebra"}));

  // Enter stores the text (replacing "Hello" by "hello") and appends it.
  t.text->setText("hello  ");
  QTest::keyClick(t.text, Qt::Key_Return);
  EXPECT_EQ(t.form.StoredTexts(), QStringList({" ", "a=b", "hello", kSignature, "Zebra"}));
  EXPECT_EQ(t.message->toPlainText(), "hello");
  EXPECT_EQ(t.text->text(), "hello  ");  // the field keeps its text
  EXPECT_TRUE(t.form.isVisible());       // Enter did not close the dialog

  // Picking a second text makes two lines, and the whole message is selected.
  t.Pick("a=b");
  EXPECT_EQ(t.message->toPlainText(), "hello\na=b");
  EXPECT_EQ(t.message->textCursor().selectedText().size(), QString("hello\na=b").size());

  t.Pick("Zebra");
  Child<QPushButton>(t.form, "cmdDelText")->click();
  EXPECT_FALSE(t.form.StoredTexts().contains("Zebra"));

  // Ctrl+Enter sends from the message field.
  t.message->setFocus();
  QTest::keyClick(t.message, Qt::Key_Return, Qt::ControlModifier);
  EXPECT_FALSE(t.form.isVisible());
  EXPECT_EQ(t.form.DialogResult(), std::optional<QString>("hello\r\na=b\r\nZebra"));
  EXPECT_EQ(IniReadSection("Text"), QStringList({"0=", "1=a=b", "2=hello", "3=" + kSignature}));
}

TEST(frmTaunt, CancelAsksFirst) {
  Taunt t;
  t.Open();
  t.message->setPlainText("draft");
  t.ui.Answers({Answer::Cancel});
  QTest::keyClick(&t.form, Qt::Key_Escape);
  ASSERT_EQ(t.ui.Texts(), QStringList({"Are you sure you want to cancel the sending operation?"}));
  EXPECT_EQ(t.ui.boxes[0].buttons, Buttons::OkCancel);
  EXPECT_EQ(t.ui.boxes[0].icon, Icon::Question);
  EXPECT_TRUE(t.form.isVisible());
  EXPECT_EQ(t.message->toPlainText(), "draft");

  t.ui.Answers({Answer::Ok});
  t.form.close();  // the close box asks the same
  EXPECT_EQ(t.ui.boxes.size(), 2u);
  EXPECT_FALSE(t.form.isVisible());
  EXPECT_EQ(t.form.DialogResult(), std::nullopt);
  EXPECT_EQ(IniReadSection("Text").size(), 2);  // written however it closes
}

// Whatever the user types is the message: texts that once marked a cancel or a confirmed
// dialog go out as written, and only Cancel (confirmed) gives no message.
TEST(frmTaunt, QtUiPortReturnsAnyTextAndNothingOnCancel) {
  TempHome home;
  QtUiPort port;
  // Answers the taunt dialog once it is up: sends `text`, or cancels and confirms.
  auto answer = [](const QString& text, bool cancel) {
    QTimer::singleShot(0, [=] {
      auto* form = qobject_cast<frmTaunt*>(QApplication::activeModalWidget());
      ASSERT_NE(form, nullptr);
      if (cancel) {
        QTimer::singleShot(0, [] {
          auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
          ASSERT_NE(box, nullptr);
          box->button(QMessageBox::Ok)->click();
        });
        form->findChild<QPushButton*>("cmdCancel")->click();
        return;
      }
      form->findChild<QPlainTextEdit*>("txtTaunt")->setPlainText(text);
      form->findChild<QPushButton*>("cmdSend")->click();
    });
  };
  const QString oldCancelMarker = QString("MODAL_") + "CANCEL";
  for (const QString& text : {oldCancelMarker, QString("OK"), QString()}) {
    answer(text, false);
    EXPECT_EQ(port.AskTaunt("ivan@example.org", "SPWAW/email001.cmt"), std::optional<QString>(text))
        << text.toStdString();
  }
  answer(QString(), true);
  EXPECT_EQ(port.AskTaunt("ivan@example.org", "SPWAW/email001.cmt"), std::nullopt);
}
