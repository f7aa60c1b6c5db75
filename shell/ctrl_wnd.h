#pragma once

// The control panel, left of the map: the property sheet with the six list
// pages above the zoom slider and the seven layer switches. It turns the
// user's slider and box actions into messages for the map window and follows
// the messages that refill the pages. The slider and the boxes follow the map
// window's own messages too, so that they always say what the map shows.

#include <QHash>
#include <QScrollArea>

class CMapDocument;
class CPropiedades;
class QCheckBox;
class QLabel;
class QSlider;

class CCtrlWnd : public QScrollArea {
    Q_OBJECT
public:
    static constexpr int kSheetHeight = 358;

    // Control numbers of the slider and the layer boxes (object names "slider1007", "check1008");
    // the layer table gives each box its number.
    enum : int {
        IDC_ZOOM = 1007,
        IDC_STREET_NAMES = 1008,
        IDC_MARKS = 1020,
        IDC_REFERENCES = 1024,
        IDC_COLONIES = 1069,
        IDC_TRACED_STREETS = 1025,
        IDC_ALL_ROUTES = 1053,
        IDC_FILL_BLOCKS = 1054,
    };

    explicit CCtrlWnd(CMapDocument& document, QWidget* parent = nullptr);

    // The window whose descendants receive the panel's and the pages' messages.
    void SetFrame(QWidget* frame);
    void SetZoomSlider(int position);
    // Only the box: nothing is sent.
    void SetFillCheck(bool checked);
    void FocusFirstControl();

    CPropiedades* Sheet() const { return m_pSheet; }
    QSlider* ZoomSlider() const { return m_pSlider; }
    // The scale the slider stands at, written beside it.
    QLabel* ZoomValue() const { return m_pZoomValue; }
    QCheckBox* Check(int id) const { return m_checks.value(id); }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayoutSheet();
    void Broadcast(int message, long long wParam);
    void RefreshPages(long long page, long long option);
    // A layer message from anyone: the box says what the map now shows.
    bool FollowLayer(int message, long long state);

    QWidget* m_pFrame = nullptr;
    QWidget* m_pForm = nullptr;
    QWidget* m_pLower = nullptr;
    CPropiedades* m_pSheet = nullptr;
    QSlider* m_pSlider = nullptr;
    QLabel* m_pZoomValue = nullptr;
    QHash<int, QCheckBox*> m_checks;
};
