#pragma once

// Names a finished route and chooses its colour with three sliders; a slider
// counts only when the mouse lets go of it.

#include "dialog_base.h"
#include "records.h"

class CColorWnd;
class QSlider;

class CRutaColorDlg : public CDialogBase {
    Q_OBJECT
public:
    static constexpr int IDC_COLOR_SAMPLE = 1174;

    explicit CRutaColorDlg(QWidget* parent = nullptr);

    QString m_strName;
    Color m_crColor = Rgb(255, 0, 0);

    CColorWnd* ColorSample() const { return m_pSample; }

protected:
    void OnInitDialog() override;
    void SaveData() override;

private:
    QSlider* AddSlider(int id, int x, int y, int width, int height);
    void OnSliderReleased(QSlider* slider);

    QLineEdit* m_pName = nullptr;
    QSlider* m_pRed = nullptr;
    QSlider* m_pGreen = nullptr;
    QSlider* m_pBlue = nullptr;
    CColorWnd* m_pSample = nullptr;
};
