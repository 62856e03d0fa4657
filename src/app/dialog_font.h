// The one font that every dialog of the program gives itself and its controls: the
// system's icon-title font, made on the first request and kept until the program
// ends.
#pragma once

namespace platform {
class DialogWindow;
class Font;
class Graphics;
}  // namespace platform

// The program's dialog font; the first call asks `graphics` for it, later calls
// return the same object without asking again. Without a handle when the system
// could not give the font.
const platform::Font& GetDialogFont(platform::Graphics& graphics);

// Gives `window` and its direct child windows `font`; nothing when the font holds
// no handle, so that the dialogs keep their template fonts.
void ApplyDialogFont(platform::DialogWindow& window, const platform::Font& font);
