// SPDX-License-Identifier: MIT
#include "entries/time_entry_list.h"

#include <algorithm>

namespace tally {

const CTimeEntry* CTimeEntryList::GetAt(int position) const {
    if (position < 0 || position >= GetCount()) return nullptr;
    return &m_entries[static_cast<std::size_t>(position)];
}

int CTimeEntryList::GetIdAt(int position) const {
    const CTimeEntry* entry = GetAt(position);
    return entry != nullptr ? entry->m_nId : 0;
}

int CTimeEntryList::IndexOf(int id) const {
    if (m_entries.empty()) return -1;
    // The reader asks for the newest entry on every Out and Elapsed line.
    if (m_entries.back().m_nId == id) return GetCount() - 1;
    if (m_bIdsAscending) {
        const auto at = std::lower_bound(
            m_entries.begin(), m_entries.end(), id,
            [](const CTimeEntry& entry, int value) { return entry.m_nId < value; });
        return at != m_entries.end() && at->m_nId == id ? static_cast<int>(at - m_entries.begin())
                                                        : -1;
    }
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].m_nId == id) return static_cast<int>(i);
    }
    return -1;
}

const CTimeEntry* CTimeEntryList::FindEntry(int id) const {
    return GetAt(IndexOf(id));
}

CTimeEntry* CTimeEntryList::Find(int id) {
    return const_cast<CTimeEntry*>(FindEntry(id));
}

bool CTimeEntryList::HasIn(int id) const {
    const CTimeEntry* entry = FindEntry(id);
    return entry != nullptr && entry->m_bHasIn;
}

bool CTimeEntryList::HasOut(int id) const {
    const CTimeEntry* entry = FindEntry(id);
    return entry != nullptr && entry->m_bHasOut;
}

bool CTimeEntryList::HasElapsed(int id) const {
    const CTimeEntry* entry = FindEntry(id);
    return entry != nullptr && entry->m_bHasElapsed;
}

int CTimeEntryList::GetInMonth(int id) const {
    const CTimeEntry* entry = FindEntry(id);
    return entry != nullptr ? ToLocalTm(entry->m_timeIn).tm_mon + 1 : 0;
}

int CTimeEntryList::GetOutMonth(int id) const {
    const CTimeEntry* entry = FindEntry(id);
    return entry != nullptr ? ToLocalTm(entry->m_timeOut).tm_mon + 1 : 0;
}

int CTimeEntryList::SetEntry(int id, const CTimeEntry& entry) {
    if (id <= 0) return -1;
    // An id above every other one is new: no need to look for it.
    const bool fresh = m_entries.empty() || (m_bIdsAscending && id > m_entries.back().m_nId);
    const int position = fresh ? -1 : IndexOf(id);
    if (position >= 0) {
        m_entries[static_cast<std::size_t>(position)] = entry;
        m_entries[static_cast<std::size_t>(position)].m_nId = id;
        return position;
    }
    if (!m_entries.empty() && id < m_entries.back().m_nId) m_bIdsAscending = false;
    // An id given from outside must not be handed out again later.
    m_nLastId = std::max(m_nLastId, id);
    m_entries.push_back(entry);
    m_entries.back().m_nId = id;
    return GetCount() - 1;
}

int CTimeEntryList::PutEntry(int id, TimeValue in, bool hasOut, TimeValue out) {
    CTimeEntry* entry = nullptr;
    if (id == 0) {
        id = NextId();
        SetEntry(id, CTimeEntry());
        entry = &m_entries.back();
    } else {
        entry = Find(id);
        if (entry == nullptr) return id;
    }
    entry->m_bHasIn = true;
    entry->m_timeIn = in;
    entry->m_bHasOut = hasOut;
    entry->m_bHasElapsed = hasOut;
    if (hasOut) {
        entry->m_timeOut = out;
        entry->m_nElapsed = out - in;
    }
    return id;
}

bool CTimeEntryList::RemoveEntry(int id) {
    const int position = IndexOf(id);
    if (position < 0) return false;
    m_entries.erase(m_entries.begin() + position);
    return true;
}

bool CTimeEntryList::DeleteEntry(int id) {
    return FindEntry(id) != nullptr && RemoveEntry(id);
}

void CTimeEntryList::RemoveAll() {
    m_entries.clear();
    m_entries.shrink_to_fit();
    m_bIdsAscending = true;
}

std::vector<int> CTimeEntryList::IdsInTimeOrder() const {
    std::vector<const CTimeEntry*> order;
    order.reserve(m_entries.size());
    for (const CTimeEntry& entry : m_entries) order.push_back(&entry);
    std::sort(order.begin(), order.end(), [](const CTimeEntry* a, const CTimeEntry* b) {
        return a->m_timeIn != b->m_timeIn ? a->m_timeIn < b->m_timeIn : a->m_nId < b->m_nId;
    });
    std::vector<int> ids;
    ids.reserve(order.size());
    for (const CTimeEntry* entry : order) ids.push_back(entry->m_nId);
    return ids;
}

}  // namespace tally
