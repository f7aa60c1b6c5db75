#pragma once

// The items of a list placed in view during a pan step, found once for all the
// parts the step draws; outside a pan step, the whole list.

#include <memory>
#include <vector>

template <typename T>
class CPanItems {
public:
    void Begin() {
        m_inView.clear();
        m_bPanning = true;
    }
    void Add(const T* item) { m_inView.push_back(item); }
    void End() { m_bPanning = false; }

    template <typename Fn>
    void ForEach(const std::vector<std::unique_ptr<T>>& list, Fn&& fn) const {
        if (m_bPanning) {
            for (const T* item : m_inView)
                fn(*item);
        } else {
            for (const auto& item : list)
                fn(*item);
        }
    }

private:
    std::vector<const T*> m_inView;
    bool m_bPanning = false;
};
