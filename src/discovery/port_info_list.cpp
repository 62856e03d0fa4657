#include "discovery/port_info_list.h"

#include <utility>

void CPortInfoList::Add(std::unique_ptr<CPortInfo> entry) {
    if (entry != nullptr) {
        m_entries.push_back(std::move(entry));
    }
}

CPortInfo* CPortInfoList::GetAt(int index) const {
    if (index < 0 || index >= GetCount()) {
        return nullptr;
    }
    return m_entries[static_cast<std::size_t>(index)].get();
}
