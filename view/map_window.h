#pragma once

// The map window: shows the open map at a scale and origin, pans and zooms, and
// obeys the program's messages. (Public interface agreed with the shell; the
// view layer fills in the rest.)

#include <QPoint>
#include <QWidget>

class MapStore;

class CMapaWnd : public QWidget {
    Q_OBJECT
public:
    CMapaWnd(MapStore& store, QWidget* parent = nullptr);
    ~CMapaWnd() override;

    // The window whose descendants receive this window's broadcasts.
    void SetFrame(QWidget* frame) { m_pFrame = frame; }
    void SetTool(int tool);
    int Tool() const { return m_nTool; }
    // Called after the store was replaced by a newly opened map: fill on, scale
    // 3, map point (0,0) at the centre, selection cleared, repaint.
    void OnMapLoaded();

    float Scale() const { return m_fScale; }
    QPoint Origin() const { return m_ptOrigin; }

private:
    MapStore& m_store;
    QWidget* m_pFrame = nullptr;
    int m_nTool = 1;
    float m_fScale = 1.0f;
    QPoint m_ptOrigin;
};
