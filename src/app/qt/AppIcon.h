// AppIcon: the program's icon, drawn rather than shipped: a sheet with the
// grid of a table and a bold "P". The same drawing makes the window's icon
// and, at build time, the installed icons (PNGs of each size and the SVG of
// share/icons/hicolor), so the desktop's menu shows what the window shows.
#pragma once

#include <QIcon>
#include <QPixmap>

class QPainter;

// Paints the icon into the square (0, 0, size, size) of `painter`.
void PaintAppIcon(QPainter& painter, qreal size);
QPixmap AppIconPixmap(int size);
QIcon AppIcon();
