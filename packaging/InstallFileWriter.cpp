// pivraf_install_files: writes the installed files that the program's own
// code defines, so that what is installed is what the program draws and
// registers:
//   OUT/icons/SIZExSIZE/com.korvane.pivraf.png   for each hicolor size
//   OUT/icons/scalable/com.korvane.pivraf.svg     the same drawing as vectors
//   OUT/pivraf-pvl.xml                            the .pvl MIME package
// Usage: pivraf_install_files OUT (run with QT_QPA_PLATFORM=offscreen).
// Exits 1, naming the file, when one cannot be written.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>
#include <iostream>

#include "app/FileAssociation.h"
#include "app/qt/AppIcon.h"

namespace {

constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
constexpr int kVectorSize = 256;

bool Fail(const QString& path) {
  std::cerr << "pivraf_install_files: cannot write " << path.toStdString() << "\n";
  return false;
}

bool WriteIcons(const QString& out) {
  const QString iconName = QString::fromLatin1(file_association::kDesktopId);
  for (const int size : kIconSizes) {
    const QString folder = QStringLiteral("%1/icons/%2x%2").arg(out).arg(size);
    const QString path = folder + QLatin1Char('/') + iconName + QStringLiteral(".png");
    if (!QDir().mkpath(folder) || !AppIconPixmap(size).save(path, "PNG")) return Fail(path);
  }
  const QString folder = out + QStringLiteral("/icons/scalable");
  const QString path = folder + QLatin1Char('/') + iconName + QStringLiteral(".svg");
  if (!QDir().mkpath(folder)) return Fail(path);
  QSvgGenerator svg;
  svg.setFileName(path);
  svg.setSize(QSize(kVectorSize, kVectorSize));
  svg.setViewBox(QRect(0, 0, kVectorSize, kVectorSize));
  svg.setTitle(QStringLiteral("PivraF"));
  svg.setDescription(QStringLiteral("A sheet with the grid of a table and a bold P"));
  QPainter painter;
  if (!painter.begin(&svg)) return Fail(path);
  PaintAppIcon(painter, kVectorSize);
  return painter.end() || Fail(path);
}

bool WriteMimePackage(const QString& out) {
  const QString path = out + QStringLiteral("/pivraf-pvl.xml");
  QFile file(path);
  const std::string bytes = file_association::MimePackage();
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()))
    return Fail(path);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::cerr << "usage: pivraf_install_files OUT\n";
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  return WriteIcons(out) && WriteMimePackage(out) ? 0 : 1;
}
