#include "platform/qt/DataDialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>
#include <vector>

#include "dialogs/ColumnArithmeticDialog.h"
#include "dialogs/DecimalPlacesDialog.h"
#include "dialogs/RangeMappingDialog.h"
#include "dialogs/RankDialog.h"
#include "dialogs/RowArithmeticDialog.h"
#include "dialogs/RowSortDialog.h"
#include "dialogs/SlopeOffsetDialog.h"
#include "dialogs/TabWidthDialog.h"
#include "dialogs/TableCreationDialog.h"
#include "editor/Navigation.h"
#include "settings/SettingsKeys.h"
#include "platform/qt/QtUiHost.h"
#include "editor/qt/QtTestSupport.h"
#include "support/TempDir.h"

namespace {

DialogData Sample() {
  DialogData d;
  d.templateId = 140;
  d.caption = "表の作成";
  d.okLabel = "作成";
  d.controls = {
      {1000, DialogControl::Kind::Label, "行と列の数", "", 0, {}, 0, false},
      {1001, DialogControl::Kind::Edit, "行", "5", 0, {}, 0, true},
      {1002, DialogControl::Kind::Edit, "名前", "abc", 0, {}, 0, false},
      {1003, DialogControl::Kind::Check, "番号", "", 1, {}, 0, false},
      {1004, DialogControl::Kind::Radio, "昇順", "", 1, {}, 1, false},
      {1005, DialogControl::Kind::Radio, "降順", "", 0, {}, 1, false},
      {1006, DialogControl::Kind::Radio, "値", "", 1, {}, 2, false},
      {1007, DialogControl::Kind::Combo, "演算", "", 0, {"＋", "－", "×", "÷"}, 0, false},
      {1008, DialogControl::Kind::List, "", "", 1, {"a", "b", "c"}, 0, false},
  };
  return d;
}

template <typename W>
W* Child(QDialog& dialog, int id) {
  return dialog.findChild<W*>(QString::number(id));
}

TEST(DataDialogTest, EveryControlIsAWidgetNamedByItsIdWithItsStartValue) {
  TestApp();
  DialogData data = Sample();
  DataDialog dialog(data);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("表の作成"));
  ASSERT_NE(Child<QLineEdit>(dialog, 1001), nullptr);
  EXPECT_EQ(Child<QLineEdit>(dialog, 1001)->text(), QStringLiteral("5"));
  EXPECT_NE(Child<QLineEdit>(dialog, 1001)->validator(), nullptr);
  EXPECT_EQ(Child<QLineEdit>(dialog, 1002)->validator(), nullptr);
  EXPECT_TRUE(Child<QCheckBox>(dialog, 1003)->isChecked());
  EXPECT_TRUE(Child<QRadioButton>(dialog, 1004)->isChecked());
  EXPECT_FALSE(Child<QRadioButton>(dialog, 1005)->isChecked());
  EXPECT_TRUE(Child<QRadioButton>(dialog, 1006)->isChecked()) << "another group keeps its own choice";
  EXPECT_EQ(Child<QComboBox>(dialog, 1007)->count(), 4);
  EXPECT_EQ(Child<QListWidget>(dialog, 1008)->currentRow(), 1);
  bool okFound = false;
  for (QPushButton* b : dialog.findChildren<QPushButton*>()) okFound |= b->text() == QStringLiteral("作成");
  EXPECT_TRUE(okFound);
}

TEST(DataDialogTest, ValuesGoBackOnlyOnOk) {
  TestApp();
  DialogData data = Sample();
  {
    DataDialog dialog(data);
    Child<QLineEdit>(dialog, 1001)->setText("12");
    Child<QCheckBox>(dialog, 1003)->setChecked(false);
    dialog.reject();
  }
  EXPECT_EQ(data.Text(1001), "5");
  EXPECT_EQ(data.Value(1003), 1);

  DataDialog dialog(data);
  Child<QLineEdit>(dialog, 1001)->setText("12");
  Child<QLineEdit>(dialog, 1002)->setText("表");
  Child<QCheckBox>(dialog, 1003)->setChecked(false);
  Child<QRadioButton>(dialog, 1005)->setChecked(true);
  Child<QComboBox>(dialog, 1007)->setCurrentIndex(3);
  Child<QListWidget>(dialog, 1008)->setCurrentRow(2);
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(data.Text(1001), "12");
  EXPECT_EQ(data.Text(1002), "表");
  EXPECT_EQ(data.Value(1003), 0);
  EXPECT_EQ(data.Value(1004), 0);
  EXPECT_EQ(data.Value(1005), 1);
  EXPECT_EQ(data.Value(1006), 1);
  EXPECT_EQ(data.Value(1007), 3);
  EXPECT_EQ(data.Value(1008), 2);
}

TEST(DataDialogTest, OkWithAnInvalidIntegerWarnsAndKeepsTheDialogOpen) {
  TestApp();
  DialogData data = Sample();
  DataDialog dialog(data);
  dialog.show();
  Child<QLineEdit>(dialog, 1001)->setText("");
  QString warning;
  QTimer::singleShot(0, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      warning = box->text();
      box->accept();
    }
  });
  dialog.accept();
  EXPECT_EQ(warning, QStringLiteral("整数を入力してください。"));
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(data.Text(1001), "5");
}

// A part of a dialog line: a control by id, or a text fragment by its text.
struct LinePart {
  int id = 0;
  const char* text = nullptr;
  LinePart(int controlId) : id(controlId) {}
  LinePart(const char* fragment) : text(fragment) {}
};

QWidget* FindPart(QDialog& dialog, const LinePart& part) {
  if (!part.text) return dialog.findChild<QWidget*>(QString::number(part.id));
  for (QLabel* label : dialog.findChildren<QLabel*>())
    if (label->text() == QString::fromUtf8(part.text)) return label;
  return nullptr;
}

struct SentenceCase {
  const char* name;
  DialogData data;
  std::vector<LinePart> line;  // left to right
};

TEST(DataDialogTest, TheFieldsAndFragmentsOfASentenceShareALineInReadingOrder) {
  TestApp();
  const SentenceCase cases[] = {
      {"table", TableCreationDialog().Build(), {1001, "行 ×", 1117, "列　（縦×横）　の表を作ります。"}},
      {"tab width", TabWidthDialog().Build(), {"タブ幅を", 1115, "文字（半角）に変更します。"}},
      {"rounding", DecimalPlacesDialog().Build(), {"小数第", 1033, "位を四捨五入します。"}},
      {"sort", RowSortDialog().Build(), {1007, "列について", 1001, "行から", 1117, "行までを"}},
      {"rank", RankDialog().Build(), {1007, "列の", 1001, "行から", 1117, "行まで", 1028}},
      {"columns", ColumnArithmeticDialog().Build(), {1114, "列", 1111, 1008, "を計算して、指定位置へ値を挿入"}},
      {"rows", RowArithmeticDialog().Build(), {1112, "行", 1111, 1113, "を計算して、指定位置へ値を挿入"}},
      {"slope", SlopeOffsetDialog().Build(),
       {"Y = X *", 1010, 1009, "+", 1011, 1012, "に変換して、Y を指定位置へ挿入します。"}},
      {"range B to D", RangeMappingDialog().Build(), {"B=", 1014, "→ D=", 1016}},
      {"range A to C", RangeMappingDialog().Build(), {"A=", 1013, "→ C=", 1015}},
  };
  for (const SentenceCase& c : cases) {
    DialogData data = c.data;
    DataDialog dialog(data);
    dialog.show();
    const QWidget* previous = nullptr;
    QRect previousBox;
    for (const LinePart& part : c.line) {
      const QWidget* widget = FindPart(dialog, part);
      ASSERT_NE(widget, nullptr) << c.name << ": " << (part.text ? part.text : std::to_string(part.id));
      const QRect box(widget->mapTo(&dialog, QPoint(0, 0)), widget->size());
      if (previous) {
        EXPECT_LE(std::abs(box.center().y() - previousBox.center().y()), 2)
            << c.name << ": " << previous->objectName().toStdString() << " and " << widget->objectName().toStdString();
        EXPECT_GE(box.left(), previousBox.right()) << c.name << ": " << widget->objectName().toStdString();
      }
      previous = widget;
      previousBox = box;
    }
  }
}

TEST(DataDialogTest, ALineOfTheTableDialogHoldsOneSentence) {
  TestApp();
  DialogData data = TableCreationDialog().Build();
  DataDialog dialog(data);
  dialog.show();
  const auto top = [&](const LinePart& part) { return FindPart(dialog, part)->mapTo(&dialog, QPoint(0, 0)).y(); };
  EXPECT_LT(top(1032), top(1001)) << "the heading check box has a line of its own above the size";
  EXPECT_LT(top(1001), top("第一列への番号の挿入"));
  EXPECT_LT(top(1120), top(1119));
  EXPECT_LT(top(1119), top(1118));
  // Integer fields are a few digits wide, however wide the line.
  const QLineEdit* rows = Child<QLineEdit>(dialog, 1001);
  EXPECT_LT(rows->width(), rows->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 12);
}

struct FocusCase {
  const char* name;
  DialogData data;
  int focusId;
  const char* typed;  // what an edit field reads after typing "8"; nullptr for other controls
};

TEST(DataDialogTest, TheFirstControlHasFocusAndTypingReplacesTheTextOfAnEditField) {
  TestApp();
  SlopeOffsetDialog slope;
  slope.m = 12;
  const FocusCase cases[] = {
      {"slope", slope.Build(), SlopeOffsetDialog::kMId, "8"},
      {"range", RangeMappingDialog().Build(), RangeMappingDialog::kBId, "8"},
      {"rows", RowArithmeticDialog().Build(), RowArithmeticDialog::kFirstRowId, "8"},
      {"table", TableCreationDialog().Build(), TableCreationDialog::kHeaderRowId, nullptr},
      {"sort", RowSortDialog().Build(), RowSortDialog::kColumnListId, nullptr},
  };
  for (const FocusCase& c : cases) {
    DialogData data = c.data;
    DataDialog dialog(data);
    dialog.show();
    QWidget* focus = dialog.focusWidget();
    ASSERT_NE(focus, nullptr) << c.name;
    EXPECT_EQ(focus->objectName(), QString::number(c.focusId)) << c.name;
    if (!c.typed) continue;
    auto* edit = qobject_cast<QLineEdit*>(focus);
    ASSERT_NE(edit, nullptr) << c.name;
    EXPECT_FALSE(edit->text().isEmpty()) << c.name;
    QTest::keyClicks(focus, QStringLiteral("8"));
    EXPECT_EQ(edit->text(), QString::fromUtf8(c.typed)) << c.name;
  }
}

TEST(DataDialogTest, JumpDialogOpensWithTheLastLineSelectedSoEightReadsEight) {
  TestApp();
  TempDir dir;
  SettingsStore settings(dir.Path("Pivra.conf"));
  settings.WriteInt(setting::JumpLineNumber, 1);
  DialogData data = navigation::JumpToLineDialog(settings);
  DataDialog dialog(data);
  dialog.show();
  auto* field = Child<QLineEdit>(dialog, navigation::kJumpLineNumberId);
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->text(), QStringLiteral("1"));
  EXPECT_EQ(field->selectedText(), QStringLiteral("1"));
  QTest::keyClicks(dialog.focusWidget(), QStringLiteral("8"));
  EXPECT_EQ(field->text(), QStringLiteral("8"));
  dialog.accept();
  EXPECT_EQ(data.Text(navigation::kJumpLineNumberId), "8");
}

struct FilterCase {
  const char* filter;
  const char* qt;
};

TEST(QtUiHostTest, FileFiltersBecomeQtFilters) {
  const FilterCase cases[] = {
      {"All files (*.*)|*.*|Text/Pvl files (*.txt;*.pvl)|*.txt;*.pvl||",
       "All files (*);;Text/Pvl files (*.txt *.pvl)"},
      {"Pvl|*.pvl||", "Pvl (*.pvl)"},
      {"", ""},
  };
  for (const FilterCase& c : cases) EXPECT_EQ(QtUiHost::QtFileFilter(c.filter), QString::fromUtf8(c.qt)) << c.filter;
}

TEST(QtUiHostTest, MessageBoxAnswersWithTheButtonPressed) {
  TestApp();
  QtUiHost host;
  QString text, title;
  QTimer::singleShot(0, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      text = box->text();
      title = box->windowTitle();
      box->button(QMessageBox::No)->click();
    }
  });
  EXPECT_EQ(host.MessageBox("Pivra", "保存しますか?", MsgButtons::YesNoCancel, MsgIcon::Question), MsgResult::No);
  EXPECT_EQ(text, QStringLiteral("保存しますか?"));
  EXPECT_EQ(title, QStringLiteral("Pivra"));
}

}  // namespace
