#include "platform/qt/QtUiHost.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <utility>
#include <vector>

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QDesktopServices>
#include <QProcess>
#include <QUrl>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QMessageBox>
#include <QStringList>

#include "platform/qt/DataDialog.h"
#include "platform/qt/FontChooser.h"

namespace {

QString Q(const std::string& utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

QMessageBox::Icon IconOf(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Information: return QMessageBox::Information;
    case MsgIcon::Warning:
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Error: return QMessageBox::Critical;
    case MsgIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

constexpr file_encoding::Encoding kEncodings[] = {file_encoding::Encoding::Cp932, file_encoding::Encoding::Utf8,
                                                   file_encoding::Encoding::Utf8Bom};

// A row of choices added below the save dialog's own rows. Until the user
// picks one, it follows the typed name: `pick(ext)` gives the item's data for
// the extension of the name (the default extension when it has none).
QComboBox* AddChoiceFollowingName(QFileDialog& box, const FileDialogData& dialog, bool& touched, const char* objectName,
                                  const QString& label, const std::vector<std::pair<QString, int>>& items,
                                  std::function<int(const QString& ext)> pick) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (!grid) return nullptr;
  auto* combo = new QComboBox(&box);
  combo->setObjectName(QString::fromLatin1(objectName));
  for (const auto& [caption, data] : items) combo->addItem(caption, data);
  const int row = grid->rowCount();
  grid->addWidget(new QLabel(label, &box), row, 0);
  grid->addWidget(combo, row, 1);
  const QString defaultExt = Q(dialog.defaultExt);
  auto follow = [combo, &touched, defaultExt, pick](const QString& name) {
    if (touched) return;
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString ext = dot < 0 ? defaultExt : name.mid(dot + 1);
    const QSignalBlocker quiet(combo);
    combo->setCurrentIndex(combo->findData(pick(ext)));
  };
  follow(QFile::decodeName(dialog.initialPath.c_str()).section(QLatin1Char('/'), -1));
  if (auto* name = box.findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
    QObject::connect(name, &QLineEdit::textChanged, combo, follow);
  QObject::connect(combo, &QComboBox::activated, combo, [&touched] { touched = true; });
  return combo;
}

bool IsDefaultExtension(const FileDialogData& dialog, const QString& ext) {
  const QString defaultExt = Q(dialog.defaultExt);
  return !defaultExt.isEmpty() && (ext == defaultExt || ext == defaultExt.toUpper());
}

// The save dialog's encoding choice: the document's encoding, or the default
// extension's encoding for names that will get that extension.
QComboBox* AddEncodingChoice(QFileDialog& box, const FileDialogData& dialog, bool& touched) {
  std::vector<std::pair<QString, int>> items;
  for (file_encoding::Encoding e : kEncodings) items.emplace_back(Q(file_encoding::Caption(e)), static_cast<int>(e));
  return AddChoiceFollowingName(box, dialog, touched, "encoding", QStringLiteral("文字コード:"), items,
                                [dialog](const QString& ext) {
                                  return static_cast<int>(IsDefaultExtension(dialog, ext) ? dialog.defaultExtEncoding
                                                                                          : dialog.encoding);
                                });
}

// The save dialog's format choice: text (TAB) or CSV, a row below the
// encoding: CSV for a .csv name, text for one with the default extension,
// else the document's.
QComboBox* AddFormatChoice(QFileDialog& box, const FileDialogData& dialog, bool& touched) {
  const std::vector<std::pair<QString, int>> items = {
      {QStringLiteral("テキスト (タブ区切り)"), static_cast<int>(csv::FileFormat::Text)},
      {QStringLiteral("CSV (カンマ区切り)"), static_cast<int>(csv::FileFormat::Csv)}};
  return AddChoiceFollowingName(box, dialog, touched, "format", QStringLiteral("形式:"), items,
                                [dialog](const QString& ext) {
                                  if (ext.compare(QStringLiteral("csv"), Qt::CaseInsensitive) == 0)
                                    return static_cast<int>(csv::FileFormat::Csv);
                                  if (IsDefaultExtension(dialog, ext)) return static_cast<int>(csv::FileFormat::Text);
                                  return static_cast<int>(dialog.format);
                                });
}

}  // namespace

MsgResult QtUiHost::MessageBox(const std::string& caption, const std::string& text, MsgButtons buttons,
                               MsgIcon icon) {
  QMessageBox box(IconOf(icon), Q(caption), Q(text), QMessageBox::NoButton, parent_);
  switch (buttons) {
    case MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MsgButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MsgButtons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
  }
  switch (box.exec()) {
    case QMessageBox::Ok: return MsgResult::Ok;
    case QMessageBox::Yes: return MsgResult::Yes;
    case QMessageBox::No: return MsgResult::No;
    default:
      // A box closed without a choice: Cancel where it offers one, else its only answer.
      if (buttons == MsgButtons::Ok) return MsgResult::Ok;
      if (buttons == MsgButtons::YesNo) return MsgResult::No;
      return MsgResult::Cancel;
  }
}

bool QtUiHost::RunDialog(DialogData& dialog) {
  DataDialog box(dialog, parent_);
  return box.exec() == QDialog::Accepted;
}

QString QtUiHost::QtFileFilter(const std::string& filter) {
  const QStringList parts = Q(filter).split(QLatin1Char('|'));
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString name = parts[i].trimmed();
    if (name.isEmpty()) break;  // the "||" that ends the list
    const int paren = name.indexOf(QLatin1Char('('));
    if (paren > 0) name = name.left(paren).trimmed();
    QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& p : patterns) {
      p = p.trimmed();
      if (p == QLatin1String("*.*")) p = QStringLiteral("*");
    }
    out << name + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  return out.join(QStringLiteral(";;"));
}

bool QtUiHost::ChooseFont(FontDescription& font) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const int dpiY = screen ? std::max(1, qRound(screen->logicalDotsPerInchY())) : 96;
  return font_chooser::Choose(font, dpiY, parent_, QStringLiteral("フォント"));
}

bool QtUiHost::ChooseFile(FileDialogData& dialog) {
  QFileDialog box(parent_, Q(dialog.title));
  box.setAcceptMode(dialog.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  box.setFileMode(dialog.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  box.setOption(QFileDialog::ReadOnly, false);
  if (!dialog.filter.empty()) box.setNameFilter(QtFileFilter(dialog.filter));
  if (!dialog.defaultExt.empty()) box.setDefaultSuffix(Q(dialog.defaultExt));
  bool touched = false;
  QComboBox* encoding = nullptr;
  if (dialog.offerEncoding) {
    // Qt's own dialog: the platform's cannot take the extra row.
    box.setOption(QFileDialog::DontUseNativeDialog, true);
    encoding = AddEncodingChoice(box, dialog, touched);
  }
  bool formatTouched = false;
  QComboBox* format = nullptr;
  if (dialog.offerFormat) {
    box.setOption(QFileDialog::DontUseNativeDialog, true);
    format = AddFormatChoice(box, dialog, formatTouched);
  }
  if (!dialog.initialPath.empty()) box.selectFile(QFile::decodeName(dialog.initialPath.c_str()));
  if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty()) return false;
  dialog.path = QFile::encodeName(box.selectedFiles().first()).toStdString();
  if (encoding) {
    // What the dialog showed is what is written.
    dialog.encoding = static_cast<file_encoding::Encoding>(encoding->currentData().toInt());
    dialog.encodingChosen = true;
  }
  if (format) {
    dialog.format = static_cast<csv::FileFormat>(format->currentData().toInt());
    dialog.formatChosen = true;
  }
  return true;
}

void QtUiHost::Beep() { QApplication::beep(); }

bool QtUiHost::OpenAddress(const std::string& address) {
  return QDesktopServices::openUrl(QUrl::fromUserInput(Q(address)));
}

bool QtUiHost::StartProgram(const std::string& program, const std::vector<std::string>& args,
                            const std::string& folder) {
  QStringList arguments;
  for (const std::string& arg : args) arguments << Q(arg);
  return QProcess::startDetached(Q(program), arguments, Q(folder));
}
