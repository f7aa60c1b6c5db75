#pragma once

// The borderless picture shown over the main frame while the program starts.
// It closes on its timer, which starts with it, or on the first key or mouse
// press, which it swallows.

#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class CStartupSplash : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 575;
    static constexpr int kHeight = 388;
    static constexpr int kTimerMs = 750;

    // Allowed unless start-up says otherwise.
    static void EnableSplashScreen(bool enable) { s_bEnabled = enable; }
    // Shows the splash centred over `parent` when splashes are allowed and none
    // is up, and starts its timer.
    static CStartupSplash* ShowSplashScreen(QWidget* parent);
    static CStartupSplash* Current() { return s_pSplash; }

    ~CStartupSplash() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CStartupSplash(QWidget* parent);
    void HideSplashScreen();

    QPixmap m_picture;
    QTimer m_timer;

    static inline QPointer<CStartupSplash> s_pSplash;
    static inline bool s_bEnabled = true;
};
