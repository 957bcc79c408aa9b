// Qt's own texts in Japanese: the buttons of message boxes (はい, いいえ,
// キャンセル), the open and save-as dialogs, the print dialog. The whole
// interface is Japanese, so they are Japanese whatever the system locale.
#pragma once

class QCoreApplication;
class QTranslator;

// Installs Qt's Japanese catalogue from Qt's translations folder into `app`
// and returns it (owned by `app`), or returns nullptr and changes nothing when
// the catalogue is not installed; the program then runs with Qt's English.
QTranslator* InstallJapaneseTranslations(QCoreApplication& app);
