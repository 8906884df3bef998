#pragma once

// The artwork behind the detail window, drawn by GDI from the shared card numbers.

#include <windows.h>

namespace lf {

// A bitmap of the whole client area: the card at the top-left corner, the colour key around it.
// The caller owns it.
HBITMAP CreateCardPicture();

}  // namespace lf
