// The candidate printers of the main dialog, in the order they were added. The list
// owns its entries; pointers to them stay valid until the list is emptied or
// destroyed, so the combo box items can carry them as item data.
#pragma once

#include <memory>
#include <vector>

#include "discovery/port_info.h"

class CPortInfoList {
  public:
    CPortInfoList() = default;
    CPortInfoList(const CPortInfoList&) = delete;
    CPortInfoList& operator=(const CPortInfoList&) = delete;

    // Takes ownership of the entry and appends it; a null entry is not added.
    // Throws std::bad_alloc when memory runs out; the entry is then deleted.
    void Add(std::unique_ptr<CPortInfo> entry);
    int GetCount() const { return static_cast<int>(m_entries.size()); }
    // The entry at this index, or null outside 0 to GetCount() - 1.
    CPortInfo* GetAt(int index) const;
    // Deletes every entry.
    void RemoveAll() { m_entries.clear(); }

  private:
    std::vector<std::unique_ptr<CPortInfo>> m_entries;
};
