#include "app/messages.h"

#include "app/message_ids.h"
#include "platform/message_box.h"
#include "platform/string_table.h"

int ShowMessage(const platform::StringTable& strings, platform::MessageBoxes& boxes, unsigned id,
                unsigned style) {
    const CString text = strings.Load(id).value_or(CString());
    const CString caption = strings.Load(AFX_IDS_APP_TITLE).value_or(CString());
    return boxes.Show(text, caption, style);
}
