#pragma once

// The small borderless card that shows a business's name, telephone and
// comments. It is dragged by its top strip and remembers, in a rectangle the
// application keeps, where it was last dropped. Its close box and Esc send
// UM_INFO_CLOSED to the map window, which hides it (or deletes it later, never
// from inside the handler); the object and its texts survive a hide.

#include <QDialog>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QString>

class CInfoPopup : public QDialog {
    Q_OBJECT
public:
    static constexpr int CARD_WIDTH = 277;
    static constexpr int CARD_HEIGHT = 172;
    // The close box is the top-right square of this side.
    static constexpr int CLOSE_BOX = 15;
    // A press above this line starts a drag.
    static constexpr int DRAG_STRIP = 25;

    // `owner` keeps the pop-up above it and gives its first place; `mapWnd`
    // receives UM_INFO_CLOSED; `rcInfoPopup` is the application's remembered
    // screen rectangle, empty until the first drag.
    CInfoPopup(QWidget* owner, QObject* mapWnd, QRect& rcInfoPopup);
    ~CInfoPopup() override;

    // Replaces the three texts and repaints; the window stays where it is.
    void SetTexts(const QString& name, const QString& phone, const QString& comments);
    const QString& Name() const { return m_strName; }
    const QString& Phone() const { return m_strPhone; }
    const QString& Comments() const { return m_strComments; }

    // The card picture: a pale yellow card with a darker title strip and a
    // close box marked with a cross at its right end.
    static QPixmap DrawCard();

    void setVisible(bool visible) override;

public slots:
    // Esc and the close box: the map window decides what closing means.
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void PlaceWindow();

    QPixmap m_background;
    int m_nWidth = 0;
    int m_nHeight = 0;
    QString m_strName = QStringLiteral("Nombre");
    QString m_strPhone = QStringLiteral("Telefono");
    QString m_strComments = QStringLiteral("Comentarios");
    QPoint m_ptLast;
    bool m_bDragging = false;
    QObject* m_pMapWnd;
    QRect& m_rcInfoPopup;
};
