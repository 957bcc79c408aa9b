// FontChooser: a font description as Qt makes it, and Qt's font dialog
// opened on it.
//
// A description (FontDescription.h) names a Windows font: a Japanese Windows
// face that the window maps to an installed one (display_font registers the
// substitutions), a negative height for the characters' pixel height or a
// positive one for the whole cell, weights 100..900. The dialog works in
// points and lists installed families only, so it is opened on the font the
// description resolves to: its installed family, weight, style and size in
// points of the screen. Invariants: pressing OK without changing anything
// leaves the description as it was (the font in use changes in no way), and
// every height these functions make lies within 1..kMaxFontHeight pixels.
#pragma once

#include <QFont>
#include <QString>

#include "platform/FontDescription.h"

class QWidget;

namespace font_chooser {

// The Qt font of a description whose height (not 0) is in the device's
// pixels; its pixel size is kept within 1..kMaxFontHeight (SettingsKeys.h).
QFont FontOf(const FontDescription& description);

// The font the dialog opens on for `used`: the installed family Qt resolved
// it to, its weight and style, and its pixel size in points of a screen of
// `screenDpiY` dots per inch.
QFont ShownFont(const QFont& used, int screenDpiY);

// The height in screen pixels (negative, as a description holds it) of a
// size the dialog gave in points, cut to 1..kMaxFontHeight pixels.
int PixelHeightOf(double points, int screenDpiY);

// Opens the dialog on the font `description` resolves to (with a height of 0,
// the system's general font). On OK with a change: face, height (screen
// pixels), weight and italic of the choice; on OK without one, `description`
// stays as it is. False for Cancel.
bool Choose(FontDescription& description, int screenDpiY, QWidget* parent, const QString& title);

}  // namespace font_chooser
