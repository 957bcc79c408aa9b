// Key codes of the view's input and of the accelerator table. They keep the
// values of the Windows virtual-key codes, which the window maps Qt's keys
// to; a letter or digit key is its upper-case ASCII code.
#pragma once

namespace key {
constexpr int Back = 0x08, Tab = 0x09, Return = 0x0D, Shift = 0x10, Control = 0x11, Alt = 0x12;
constexpr int PageUp = 0x21, PageDown = 0x22, End = 0x23, Home = 0x24, Left = 0x25, Up = 0x26, Right = 0x27,
              Down = 0x28, Insert = 0x2D, Delete = 0x2E, ImeProcess = 0xE5;
constexpr int F3 = 0x72, F6 = 0x75;
}  // namespace key
