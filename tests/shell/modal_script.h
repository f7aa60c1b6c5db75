#pragma once

// Answers to the modal windows the editor opens, for the shell's tests: a
// script of steps, each answering the next modal window as a person would.

#include <QApplication>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>
#include <initializer_list>

// Answers the modal windows that come up, one step each, in order, and stops
// after the last step. Each step runs from the modal window's own loop, so a
// step may open another modal window and the next step answers that. A script
// without steps watches instead: it closes and counts any modal window.
class ModalScript : public QObject {
public:
    using Step = std::function<void(QWidget*)>;
    explicit ModalScript(std::initializer_list<Step> steps)
        : m_steps(steps), m_bWatch(steps.size() == 0) {
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal == m_last)
                return;
            m_last = modal;
            if (m_bWatch) {
                ++unexpected;
                QTimer::singleShot(0, modal, [modal] { modal->close(); });
                return;
            }
            Step step = std::move(m_steps.front());
            m_steps.pop_front();
            if (m_steps.empty())
                m_timer.stop();
            QPointer<QWidget> target(modal);
            QTimer::singleShot(0, this, [this, step, target] {
                if (target) {
                    ++answered;
                    step(target);
                }
            });
        });
        m_timer.start();
    }
    int answered = 0;
    int unexpected = 0;

private:
    std::deque<Step> m_steps;
    bool m_bWatch = false;
    QPointer<QWidget> m_last;
    QTimer m_timer;
};

// Clicks the button called `objectName` inside `parent`.
void Click(QWidget* parent, const QString& objectName);
// A question or notice: keeps its text and clicks the button that reads `answer`.
ModalScript::Step Answer(const QString& answer, QString* text = nullptr, bool* plain = nullptr);
// The name dialog: types `name` and presses OK.
ModalScript::Step NameAnswer(const QString& name);
// The zone dialog: types the name and the notes and presses OK.
ModalScript::Step ZoneAnswer(const QString& name, const QString& notes);
ModalScript::Step Cancel();
