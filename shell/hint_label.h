#pragma once

// The first pane of the status bar: a command's prompt or the current tool's
// hint, shortened with an ellipsis to the room the pane has so that it never
// runs under the panes beside it, and the idle text whenever no hint applies.

#include <QLabel>
#include <QString>

class CHintLabel : public QLabel {
    Q_OBJECT
public:
    CHintLabel(const QString& idleText, QWidget* parent = nullptr);

    // An empty hint brings the idle text back.
    void SetHint(const QString& hint);
    // The whole hint, however much of it shows.
    const QString& Hint() const { return m_strHint; }

    // A long hint must not widen the status bar.
    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowFitting();

    QString m_strIdle;
    QString m_strHint;
};
