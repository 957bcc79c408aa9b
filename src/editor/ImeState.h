// ImeState: the input method as the view last saw it. The window keeps `open`
// true while the input method is on (where it tells its state) or composing
// text; `startPos` is the caret position taken at each key down while it is
// open in overwrite mode (where the composed text starts).
#pragma once

struct ImeState {
  bool open = false;
  int startPos = 0;
};
