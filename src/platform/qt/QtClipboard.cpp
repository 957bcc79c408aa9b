#include "platform/qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

#include "text/Cp932.h"
#include "text/LineEnds.h"

void QtClipboard::SetText(const std::string& cp932Text) {
  const std::string utf8 = cp932::ToUtf8(cp932Text);
  QGuiApplication::clipboard()->setText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

std::string QtClipboard::GetText() const {
  const QByteArray utf8 = QGuiApplication::clipboard()->text().toUtf8();
  return line_ends::NormalisePasted(
      cp932::FromUtf8(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size()))));
}
