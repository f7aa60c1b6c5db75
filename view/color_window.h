#pragma once

// The colour sample of the route colour dialog: fills itself with one colour.

#include <QWidget>

#include <cstdint>

class CColorWnd : public QWidget {
    Q_OBJECT
public:
    CColorWnd(const QRect& rect, QWidget* parent, int id);

    std::uint8_t m_byRed = 255;
    std::uint8_t m_byGreen = 0;
    std::uint8_t m_byBlue = 0;

protected:
    void paintEvent(QPaintEvent* event) override;
};
