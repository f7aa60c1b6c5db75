#include "ruta_color_dialog.h"

#include "color_window.h"

#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>

#include <functional>

namespace {

// A slider that reports when the mouse releases it, whether the handle was
// dragged or the groove was clicked; keyboard moves report nothing.
class CReleaseSlider : public QSlider {
public:
    explicit CReleaseSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {}

    void SetOnRelease(std::function<void()> onRelease) { m_onRelease = std::move(onRelease); }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        QSlider::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && m_onRelease)
            m_onRelease();
    }

private:
    std::function<void()> m_onRelease;
};

} // namespace

CRutaColorDlg::CRutaColorDlg(QWidget* parent) : CDialogBase(parent) {
    setWindowTitle(tr("Rutas con estaciones"));
    SetDlgSize(186, 129);
    AddLabel(tr("Nombre de la ruta:"), 7, 9);
    m_pName = AddEdit(1014, 69, 7, 110, 14);
    auto* group = new QGroupBox(tr("Mostrar en color"), this);
    group->setGeometry(DlgRect(7, 32, 172, 66));
    group->lower();
    m_pRed = AddSlider(1047, 13, 42, 100, 15);
    m_pGreen = AddSlider(1048, 13, 58, 100, 15);
    m_pBlue = AddSlider(1049, 13, 76, 100, 15);
    auto* frame = new QFrame(this);
    frame->setObjectName(ControlName("frame", 1038));
    frame->setFrameShape(QFrame::Box);
    frame->setGeometry(DlgRect(115, 45, 56, 46));
    // The sample sits inside the frame so that the frame's line stays visible.
    m_pSample = new CColorWnd(frame->geometry().adjusted(1, 1, -1, -1), this, IDC_COLOR_SAMPLE);
    QPushButton* ok = AddButton(1, tr("OK"), 7, 108, 50, 14);
    QPushButton* cancel = AddButton(2, tr("Cancel"), 129, 108, 50, 14);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QSlider* CRutaColorDlg::AddSlider(int id, int x, int y, int width, int height) {
    auto* slider = new CReleaseSlider(this);
    slider->SetOnRelease([this, slider] { OnSliderReleased(slider); });
    slider->setObjectName(ControlName("slider", id));
    slider->setGeometry(DlgRect(x, y, width, height));
    return slider;
}

void CRutaColorDlg::OnInitDialog() {
    m_pName->setText(m_strName);
    for (QSlider* slider : {m_pRed, m_pGreen, m_pBlue})
        slider->setRange(0, 255);
    m_pRed->setValue(255);
    m_pGreen->setValue(0);
    m_pBlue->setValue(0);
    m_pSample->m_byRed = 255;
    m_pSample->m_byGreen = 0;
    m_pSample->m_byBlue = 0;
    m_crColor = Rgb(255, 0, 0);
    m_pName->setFocus();
}

void CRutaColorDlg::SaveData() {
    m_strName = m_pName->text();
}

void CRutaColorDlg::OnSliderReleased(QSlider* slider) {
    const auto value = static_cast<std::uint8_t>(slider->value());
    if (slider == m_pRed)
        m_pSample->m_byRed = value;
    else if (slider == m_pGreen)
        m_pSample->m_byGreen = value;
    else
        m_pSample->m_byBlue = value;
    update();
    m_pSample->update();
    m_crColor = Rgb(m_pSample->m_byRed, m_pSample->m_byGreen, m_pSample->m_byBlue);
}
