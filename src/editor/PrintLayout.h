// PrintLayout: how the view's text is laid out on paper. Also carried by the
// directive line of a .pvl file, so a file prints as it was set up.
#pragma once

struct PrintLayout {
  int columns = 1;      // text columns per page, 1 to 4 when printed
  int marginStep = 1;   // the margin, 1 to 4 steps when printed
  int fontHeight = -16; // height of the print font in printer pixels; 0: the display font scaled
  // Whether fontHeight is a print font's own: one stored in the settings,
  // chosen with the print font command or asked for by a directive line.
  // Until then a printout uses the display font at its screen size, scaled
  // to the printer, as with a height of 0: the first printout is readable.
  bool fontChosen = false;
};
