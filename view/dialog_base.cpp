#include "dialog_base.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QValidator>

namespace {

class CCapitalsValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& /*pos*/) const override {
        // Letter by letter, so that no letter grows into two (ß) and the
        // cursor position stays valid.
        for (QChar& c : input)
            c = c.toUpper();
        return Acceptable;
    }
};

} // namespace

CDialogBase::CDialogBase(QWidget* parent) : QDialog(parent) {
    // No "What's this" button in the caption: the dialogs have close boxes only.
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

QString CDialogBase::ControlName(const char* kind, int id) {
    return QString::fromLatin1(kind) + QString::number(id);
}

namespace {

// Average width of the letters, measured as the templates' units were: over
// the 52 letters of the alphabet, not from the font's own figure, which is
// narrower than its text for most fonts.
int AverageLetterWidth(const QFontMetrics& fm) {
    return fm.horizontalAdvance(
               QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
           52;
}

} // namespace

int CDialogBase::DlgX(int x) const {
    return x * AverageLetterWidth(fontMetrics()) / 4;
}

int CDialogBase::DlgY(int y) const {
    return y * fontMetrics().height() / 8;
}

QRect CDialogBase::DlgRect(int x, int y, int width, int height) const {
    return QRect(DlgX(x), DlgY(y), DlgX(x + width) - DlgX(x), DlgY(y + height) - DlgY(y));
}

void CDialogBase::SetDlgSize(int width, int height) {
    setFixedSize(DlgX(width), DlgY(height));
}

QLabel* CDialogBase::AddLabel(const QString& text, int x, int y) {
    auto* label = new QLabel(text, this);
    label->adjustSize();
    label->move(DlgX(x), DlgY(y));
    return label;
}

QLineEdit* CDialogBase::AddEdit(int id, int x, int y, int width, int height) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(ControlName("edit", id));
    edit->setGeometry(DlgRect(x, y, width, height));
    return edit;
}

QPlainTextEdit* CDialogBase::AddMultiLineEdit(int id, int x, int y, int width, int height) {
    auto* edit = new QPlainTextEdit(this);
    edit->setObjectName(ControlName("edit", id));
    edit->setGeometry(DlgRect(x, y, width, height));
    edit->setTabChangesFocus(true);
    return edit;
}

QPushButton* CDialogBase::AddButton(int id, const QString& text, int x, int y, int width,
                                    int height) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(ControlName("button", id));
    button->setGeometry(DlgRect(x, y, width, height));
    return button;
}

void CDialogBase::ConvertToCapitals(QLineEdit* edit) {
    edit->setValidator(new CCapitalsValidator(edit));
}

void CDialogBase::AddNextControlButton() {
    m_pNextControl = new QPushButton(this);
    m_pNextControl->setObjectName(ControlName("button", IDC_NEXT_CONTROL));
    m_pNextControl->setFocusPolicy(Qt::NoFocus);
    m_pNextControl->setDefault(true);
    m_pNextControl->hide();
    connect(m_pNextControl, &QPushButton::clicked, this, &CDialogBase::OnNextControl);
}

void CDialogBase::OnNextControl() {
    focusNextChild();
}

void CDialogBase::MakeRoomForLabels() {
    constexpr int kGap = 4;
    for (QLabel* label : findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        const QRect text = label->geometry();
        for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!qobject_cast<QLineEdit*>(w) && !qobject_cast<QPlainTextEdit*>(w))
                continue;
            QRect g = w->geometry();
            const bool sameRow = g.top() <= text.bottom() && text.top() <= g.bottom();
            const int overlap = text.right() + kGap - g.left();
            if (sameRow && g.left() > text.left() && overlap > 0) {
                g.setLeft(g.left() + overlap);
                w->setGeometry(g);
            }
        }
    }
}

void CDialogBase::setVisible(bool visible) {
    if (visible && !m_bLaidOut) {
        MakeRoomForLabels();
        m_bLaidOut = true;
    }
    if (visible && !isVisible())
        OnInitDialog();
    QDialog::setVisible(visible);
}

void CDialogBase::accept() {
    SaveData();
    QDialog::accept();
}

void CDialogBase::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (m_pNextControl && enter &&
        (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier)) {
        // A focused push button answers Enter itself; anywhere else Enter goes
        // to the hidden default, which only moves the focus.
        if (auto* focused = qobject_cast<QPushButton*>(focusWidget())) {
            focused->click();
            return;
        }
        m_pNextControl->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
