// AppIcon: the program's icon, drawn rather than shipped: a sheet with the
// grid of a table and a bold "P".
#pragma once

#include <QIcon>

QIcon AppIcon();
