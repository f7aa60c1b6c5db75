#include "ctrl_wnd.h"

#include "map_document.h"
#include "map_layers.h"
#include "messages.h"
#include "prop_calles.h"
#include "prop_colonias.h"
#include "prop_referencias.h"
#include "prop_rutas.h"
#include "prop_servicios.h"
#include "prop_zonas.h"
#include "propiedades.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace {

// The layers with a box, in the panel's order.
std::vector<const MapLayerRow*> LayerBoxes() {
    std::vector<const MapLayerRow*> boxes;
    for (const MapLayerRow& row : MapLayers()) {
        if (row.box != 0)
            boxes.push_back(&row);
    }
    std::sort(boxes.begin(), boxes.end(),
              [](const MapLayerRow* a, const MapLayerRow* b) { return a->boxRow < b->boxRow; });
    return boxes;
}

// A click on the slider's track puts it at that point instead of paging
// towards it, so one click chooses a scale.
class CClickToScaleStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == QStyle::SH_Slider_AbsoluteSetButtons)
            return Qt::LeftButton;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

CCtrlWnd::CCtrlWnd(CMapDocument& document, QWidget* parent) : QScrollArea(parent) {
    setObjectName(QStringLiteral("ctrlWnd"));
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    m_pForm = new QWidget;
    m_pForm->setObjectName(QStringLiteral("ctrlForm"));
    m_pSheet = new CPropiedades(document, m_pForm);

    m_pLower = new QWidget(m_pForm);
    auto* lower = new QVBoxLayout(m_pLower);
    lower->setContentsMargins(3, 4, 3, 4);
    lower->setSpacing(1);
    auto* zoomRow = new QHBoxLayout;
    zoomRow->setSpacing(4);
    auto* zoomLabel = new QLabel(tr("Zoom:"), m_pLower);
    m_pSlider = new QSlider(Qt::Horizontal, m_pLower);
    m_pSlider->setObjectName(QStringLiteral("slider%1").arg(IDC_ZOOM));
    m_pSlider->setRange(1, 20);
    m_pSlider->setTickPosition(QSlider::TicksAbove);
    m_pSlider->setTickInterval(1);
    m_pSlider->setPageStep(5);
    m_pSlider->setFocusPolicy(Qt::StrongFocus);
    m_pSlider->setFixedWidth(150);
    auto* clickToScale = new CClickToScaleStyle; // follows the application's style
    clickToScale->setParent(m_pSlider);
    m_pSlider->setStyle(clickToScale);
    m_pZoomValue = new QLabel(m_pLower);
    m_pZoomValue->setObjectName(QStringLiteral("zoomValue"));
    m_pZoomValue->setMinimumWidth(
        m_pZoomValue->fontMetrics().horizontalAdvance(QStringLiteral("20")));
    m_pZoomValue->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_pZoomValue->setNum(m_pSlider->value());
    // Keys, drags and the map's own messages all move the slider through its value.
    connect(m_pSlider, &QSlider::valueChanged, m_pZoomValue, qOverload<int>(&QLabel::setNum));
    // The map takes the new scale only when a mouse action on the slider ends;
    // keys move the slider and send nothing.
    m_pSlider->installEventFilter(this);
    zoomRow->addWidget(zoomLabel);
    zoomRow->addWidget(m_pSlider);
    zoomRow->addWidget(m_pZoomValue);
    zoomRow->addStretch(1);
    lower->addLayout(zoomRow);

    for (const MapLayerRow* layer : LayerBoxes()) {
        auto* box = new QCheckBox(QCoreApplication::translate("Layer", layer->text), m_pLower);
        box->setObjectName(QStringLiteral("check%1").arg(layer->box));
        // The box says what a new window shows.
        box->setChecked(layer->on);
        m_checks.insert(layer->box, box);
        lower->addWidget(box);
        connect(box, &QCheckBox::clicked, this, [this, message = layer->message](bool checked) {
            Broadcast(message, checked ? 1 : 0);
        });
    }

    const QSize lowerSize = m_pLower->sizeHint();
    m_pForm->setMinimumSize(std::max(lowerSize.width(), 200), kSheetHeight + lowerSize.height());
    setWidget(m_pForm);
    LayoutSheet();
}

void CCtrlWnd::SetFrame(QWidget* frame) {
    m_pFrame = frame;
    m_pSheet->SetFrame(frame);
}

void CCtrlWnd::SetZoomSlider(int position) {
    const QSignalBlocker quiet(m_pSlider);
    m_pSlider->setValue(position);
    m_pZoomValue->setNum(m_pSlider->value());
}

void CCtrlWnd::SetFillCheck(bool checked) {
    m_checks.value(IDC_FILL_BLOCKS)->setChecked(checked);
}

void CCtrlWnd::FocusFirstControl() {
    QWidget* page = m_pSheet->currentWidget();
    QWidget* target = page ? page->nextInFocusChain() : nullptr;
    if (page && page->focusPolicy() != Qt::NoFocus)
        target = page;
    if (!target || !isAncestorOf(target))
        target = m_pSlider;
    target->setFocus(Qt::OtherFocusReason);
}

void CCtrlWnd::Broadcast(int message, long long wParam) {
    SendMessageToDescendants(m_pFrame, static_cast<UserMessage>(message), wParam, 0);
}

void CCtrlWnd::LayoutSheet() {
    const int width = m_pForm->width();
    m_pSheet->setGeometry(0, 0, width, kSheetHeight);
    m_pSheet->show();
    m_pLower->setGeometry(0, kSheetHeight, width, m_pLower->sizeHint().height());
}

void CCtrlWnd::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    LayoutSheet();
}

bool CCtrlWnd::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pSlider && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        // A drag or a click on the groove has moved the slider by now.
        Broadcast(UM_SET_ZOOM, m_pSlider->value());
    }
    if (watched == m_pForm && event->type() == QEvent::Resize)
        LayoutSheet();
    return QScrollArea::eventFilter(watched, event);
}

bool CCtrlWnd::event(QEvent* event) {
    const CUserMessage* message = CUserMessage::From(event);
    if (!message)
        return QScrollArea::event(event);
    switch (message->Message()) {
    case UM_SET_ZOOM_SLIDER:
        SetZoomSlider(static_cast<int>(message->WParam()));
        break;
    case UM_REFRESH_ROUTES_PAGE:
        m_pSheet->setCurrentIndex(CPropiedades::kRoutesPage);
        m_pSheet->Rutas()->Refill();
        break;
    case UM_REFRESH_PAGES:
        RefreshPages(message->WParam(), message->LParam());
        break;
    case UM_UNUSED_92:
        break;
    default:
        // A layer message says what the map now shows, whoever sent it: a box,
        // or the map window after locating an element or adding one. Located
        // elements reach the slider the same way, by the map's scale.
        if (FollowLayer(message->Message(), message->WParam()))
            break;
        return QScrollArea::event(event);
    }
    return true;
}

bool CCtrlWnd::FollowLayer(int message, long long state) {
    for (const MapLayerRow& layer : MapLayers()) {
        if (layer.box != 0 && layer.message == message) {
            m_checks.value(layer.box)->setChecked(state != 0);
            return true;
        }
    }
    return false;
}

void CCtrlWnd::RefreshPages(long long page, long long option) {
    auto named = [page](int n) { return page == PAGE_ALL || page == n; };
    if (named(PAGE_STREETS))
        m_pSheet->Calles()->Refill();
    if (named(PAGE_REFERENCES))
        m_pSheet->Referencias()->Refill();
    if (named(PAGE_ROUTES))
        m_pSheet->Rutas()->Refill();
    if (named(PAGE_BUSINESSES)) {
        if (option == REFRESH_CATEGORIES) {
            m_pSheet->Servicios()->RefillCategories();
        } else {
            m_pSheet->Servicios()->RefillBusinesses();
            // The refilled list shows the category's businesses, so the map does too.
            m_checks.value(IDC_MARKS)->setChecked(true);
            Broadcast(UM_SHOW_MARKS, 1);
        }
    }
    if (named(PAGE_COLONIES))
        m_pSheet->Colonias()->Refill();
    if (named(PAGE_ZONES))
        m_pSheet->Zonas()->Refill();
}
