// Qt's standard texts come up in Japanese once the catalogue is installed.
#include "app/qt/JapaneseTranslations.h"

#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QDir>
#include <QLibraryInfo>
#include <QPushButton>
#include <QTranslator>

#include "editor/qt/QtTestSupport.h"

namespace {

bool JapaneseCatalogueInstalled() {
  const QDir folder(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  return folder.exists(QStringLiteral("qtbase_ja.qm")) || folder.exists(QStringLiteral("qt_ja.qm"));
}

struct ButtonCase {
  QDialogButtonBox::StandardButton button;
  const char* text;
};

TEST(JapaneseTranslationsTest, StandardButtonsReadInJapanese) {
  QApplication& app = TestApp();
  if (!JapaneseCatalogueInstalled()) GTEST_SKIP() << "Qt's Japanese catalogue is not installed";
  QTranslator* translator = InstallJapaneseTranslations(app);
  ASSERT_NE(translator, nullptr);
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
  const ButtonCase cases[] = {
      {QDialogButtonBox::Yes, "はい"},
      {QDialogButtonBox::No, "いいえ"},
      {QDialogButtonBox::Cancel, "キャンセル"},
      {QDialogButtonBox::Open, "開く"},
      {QDialogButtonBox::Save, "保存"},
  };
  QDialogButtonBox box;
  for (const ButtonCase& c : cases) {
    QPushButton* button = box.addButton(c.button);
    // Mnemonics aside ("はい(&Y)"), the text is the Japanese one.
    EXPECT_TRUE(button->text().remove(QLatin1Char('&')).startsWith(QString::fromUtf8(c.text)))
        << button->text().toStdString();
  }
  // The rest of the test run keeps Qt's own texts.
  QCoreApplication::removeTranslator(translator);
  delete translator;
}

}  // namespace
