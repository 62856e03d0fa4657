// User messages: a text of the catalogue, loaded when it is shown, in a box
// captioned with the application title.
#pragma once

#include "platform/tarnel_types.h"

namespace platform {
class MessageBoxes;
class StringTable;
}  // namespace platform

// Shows message `id` with `style` (platform::mb) and returns the button pressed.
int ShowMessage(const platform::StringTable& strings, platform::MessageBoxes& boxes, unsigned id,
                unsigned style);
