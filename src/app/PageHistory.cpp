#include "app/PageHistory.h"

#include <algorithm>

PageHistory::PageHistory() { m_entries[0] = {0, 0, 0}; }

PageHistory::Pages PageHistory::entry(int number) const {
    if (number < 1 || number > Size)
        return {};
    return m_entries[static_cast<std::size_t>(number - 1)];
}

void PageHistory::SetHistory(Pages current) {
    const auto skipped = static_cast<std::ptrdiff_t>(m_position - 1);
    if (skipped > 0) {
        std::move(m_entries.begin() + skipped, m_entries.end(), m_entries.begin());
        std::fill(m_entries.end() - skipped, m_entries.end(), Pages{});
    }
    std::move_backward(m_entries.begin(), m_entries.end() - 1, m_entries.end());
    m_entries[0] = current;
    m_position = 1;
}

bool PageHistory::canBack() const { return m_position < Size && !entry(m_position + 1).isEmpty(); }

bool PageHistory::canForward() const { return m_position >= 2; }

PageHistory::Pages PageHistory::back() {
    if (canBack())
        ++m_position;
    return entry(m_position);
}

PageHistory::Pages PageHistory::forward() {
    if (canForward())
        --m_position;
    return entry(m_position);
}
