#pragma once
// A static text control that reads as a web link: blue text, the hand cursor, and a click opens its
// text with the shell.
#include <windows.h>

namespace vorandel::ui {

// Replaces the control's window procedure; the control's own procedure is not called afterwards.
void turnIntoLinkLabel(HWND control);

}  // namespace vorandel::ui
