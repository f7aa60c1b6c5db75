#pragma once

// Stands in for the control panel or any other window of the frame: records
// every message of the program that reaches it. Put under the frame, it sees
// every broadcast to the frame's descendants.

#include <QWidget>

#include <cstdint>
#include <vector>

class CMessageRecorder : public QWidget {
public:
    struct Entry {
        int message;
        std::int64_t wParam;
        std::int64_t lParam;
        bool operator==(const Entry&) const = default;
    };
    using QWidget::QWidget;

    std::vector<Entry> m_entries;

    // The entries of one message, in the order they came.
    std::vector<Entry> Of(int message) const;
    void Clear() { m_entries.clear(); }

protected:
    void customEvent(QEvent* event) override;
};
