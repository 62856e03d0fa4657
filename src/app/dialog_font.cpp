#include "app/dialog_font.h"

#include <memory>

#include "platform/dialog.h"
#include "platform/graphics.h"

const platform::Font& GetDialogFont(platform::Graphics& graphics) {
    static const std::unique_ptr<platform::Font> font = graphics.IconTitleFont();
    return *font;
}

void ApplyDialogFont(platform::DialogWindow& window, const platform::Font& font) {
    if (font.Handle() == nullptr) {
        return;
    }
    window.ApplyFont(font);
}
