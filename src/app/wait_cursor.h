// The wait cursor over a window while the program talks to the printer; removed on
// every way out of the scope, exceptions included.
#pragma once

#include "platform/dialog.h"

class WaitCursor {
  public:
    explicit WaitCursor(platform::DialogWindow& window) : m_window(window) {
        m_window.BeginWaitCursor();
    }
    ~WaitCursor() { m_window.EndWaitCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    platform::DialogWindow& m_window;
};
