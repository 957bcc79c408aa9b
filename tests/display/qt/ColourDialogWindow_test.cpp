// The colour dialog as the window shows it: its reset buttons act at once and
// the fields show what they left; colour buttons show their colours.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>

#include "dialogs/ColourDialog.h"
#include "editor/qt/QtTestSupport.h"
#include "platform/qt/DataDialog.h"

namespace {

TEST(ColourDialogWindowTest, ResetButtonEmptiesTheUserStringsAtOnceAndTheFieldsShowIt) {
  TestWindow w;
  w.settings.WriteString("Colors", "Str1", "foo");
  w.settings.WriteInt("ColorTB", "TextColor", 0x123456);
  ColourDialog dialog(w.settings);
  DialogData data = dialog.Build();
  DataDialog box(data);
  auto* first = box.findChild<QLineEdit*>(QString::number(ColourDialog::kFirstUserStringId));
  auto* reset = box.findChild<QPushButton*>(QString::number(ColourDialog::kResetTokensId));
  auto* text = box.findChild<QPushButton*>(QString::number(ColourDialog::kTextColourId));
  ASSERT_TRUE(first && reset && text);
  EXPECT_EQ(first->text(), QStringLiteral("foo"));
  EXPECT_TRUE(text->styleSheet().contains(QStringLiteral("#563412")));  // 0x123456 is blue 12, green 34, red 56
  reset->click();
  EXPECT_EQ(first->text(), QString());
  EXPECT_EQ(w.settings.GetString("Colors", "Str1", "gone"), "gone");  // the store lost it at once
  EXPECT_EQ(w.settings.GetInt("ColorTB", "TextColor", -1), 0x123456);  // other sections stay
  box.reject();
}

}  // namespace
