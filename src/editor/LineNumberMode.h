// LineNumberMode: what the gutter numbers. The values are the ones the
// settings file stores under setting::LineNumbers (read and written as int at
// that edge only); an unknown stored value is kept as it is and numbers
// nothing special, as no mode compares equal to it.
#pragma once

enum class LineNumberMode : int {
  Off = 0,
  Physical = 1,  // the displayed rows; in table mode also the column ruler
  Logical = 2,   // the lines of the text, each numbered once however it wraps
};
