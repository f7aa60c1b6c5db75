#pragma once

// Answers to the modal windows the program opens, for the widget tests: a
// script of steps, each answering a modal window as a person would.

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <initializer_list>
#include <vector>

class QAbstractButton;

// Answers the modal windows that come up, one step each, in order, and rests
// after the last step. Each step runs from the modal window's own loop, so a
// step may open another modal window and the next step answers that.
//
// Plain steps answer whatever window comes next. Steps with a test wait for a
// window they recognise and leave the others alone (a progress window that
// comes and goes). A script without steps watches instead: it closes and
// counts any modal window. A window left unanswered for 30 s while steps
// remain is closed, so that a failing test ends instead of hanging; Done()
// then says no.
class CModalScript : public QObject {
public:
    using Act = std::function<void(QWidget*)>;
    using Test = std::function<bool(QWidget*)>;
    struct Step {
        Test matches; // empty: any window
        Act act;
    };

    CModalScript(std::initializer_list<Act> steps);
    explicit CModalScript(std::vector<Step> steps);

    // Steps that have run, and windows a watching script closed.
    int Answered() const { return m_nAnswered; }
    int Unexpected() const { return m_nUnexpected; }
    // Every step has run and no window had to be closed for want of an answer.
    bool Done() const { return m_nAnswered == static_cast<int>(m_steps.size()) && !m_bStuck; }

private:
    void Poll();

    std::vector<Step> m_steps;
    std::size_t m_nNext = 0;
    int m_nAnswered = 0;
    int m_nUnexpected = 0;
    bool m_bWatch = false;
    bool m_bStuck = false;
    QPointer<QWidget> m_answered; // the window the last step was given
    QPointer<QWidget> m_waiting;  // the window in front since m_clock started
    QElapsedTimer m_clock;
    QTimer m_timer;
};

// Tests for a window: its object name, or a message box whose text starts so.
CModalScript::Test Named(const char* objectName);
CModalScript::Test MessageStarting(const QString& start);

// The text of a message box; empty for any other window.
QString MessageText(QWidget* modal);
// The button of `window` that reads `text` (without its & marks); nullptr when none does.
QAbstractButton* ButtonReading(QWidget* window, const QString& text);
// Clicks the button called `objectName` inside `parent`.
void Click(QWidget* parent, const QString& objectName);
// Clicks the button of `window` that reads `text`, now or from the event loop, so that a window the
// click opens is answered by the script's next step.
void ClickText(QWidget* window, const QString& text);
void ClickLater(QWidget* window, const QString& text);

// A file dialog: types `path` into its name box, as a person would, and
// accepts. Choosing by QFileDialog::selectFile() is not enough: the dialog
// may still reset its selection while it settles.
void ChooseFile(QWidget* fileDialog, const QString& path);

// A question or notice: keeps its text and clicks the button that reads `answer`.
CModalScript::Act Answer(const QString& answer, QString* text = nullptr, bool* plain = nullptr);
// The one-name dialog: types `name` and presses OK.
CModalScript::Act NameAnswer(const QString& name);
// The zone dialog: types the name and the notes and presses OK.
CModalScript::Act ZoneAnswer(const QString& name, const QString& notes);
CModalScript::Act Cancel();
