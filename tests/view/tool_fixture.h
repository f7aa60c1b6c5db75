#pragma once

// A map window in a main window with a stand-in control panel, for driving
// the map tools as a person does, and the answers to the dialogs they open.

#include "edit_history.h"
#include "map_store.h"
#include "map_window.h"
#include "message_recorder.h"
#include "test_towns.h"

#include <QMainWindow>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>

class CDistanceTool;
class CRouteTool;
class CTraceStreetTool;

using Answer = std::function<void(QWidget*)>;

// Answers the modal dialogs that come up, in order, and keeps their titles. A
// dialog that comes up with no answer left is cancelled and counted, so a test
// never hangs on one.
class ModalAnswers : public QObject {
public:
    ModalAnswers();
    void Queue(Answer answer) { m_answers.push_back(std::move(answer)); }
    QStringList m_seen;
    int m_unexpected = 0;
    bool AllUsed() const { return m_answers.empty(); }

private:
    void Poll();
    std::deque<Answer> m_answers;
    QTimer m_timer;
};

// Presses the button with id `id`, and types into the edit with id `editId`.
void Press(QWidget* dlg, int id);
void TypeInto(QWidget* dlg, int editId, const QString& text);
// Types into one edit and presses OK.
Answer OkWith(int editId, const QString& text);
Answer Cancel();
// Names the station and ticks "Finalizar ruta" when `finish`.
Answer StationAnswer(const QString& name, bool finish);
// Names the route and lets go of the green slider at 128.
Answer RouteColour(const QString& name);

// Everything an edit can change, as bytes, so that two states compare whole.
std::vector<std::uint8_t> Dump(const MapStore& s);

inline constexpr QSize kMapSize(800, 600);

struct ToolFixture {
    MapStore store = MakeStore();
    CEditHistory history{store};
    QMainWindow frame;
    CMapaWnd* wnd = nullptr;
    CMessageRecorder* panel = nullptr;
    ModalAnswers answers;

    explicit ToolFixture(bool withHistory = true);
    // Blocks numbered as a load numbers them.
    void SetBlocks(const std::vector<BlockRect>& blocks);
    QPoint PixelOf(MapPoint p) const { return wnd->Transform().ToPixel(p); }
    MapPoint MapAt(QPoint pixel) const { return wnd->MapPointAt(pixel); }
    const CTraceStreetTool& Street() const { return wnd->Tools().Street(); }
    const CRouteTool& Route() const { return wnd->Tools().Route(); }
    const CDistanceTool& Ruler() const { return wnd->Tools().Ruler(); }
    void Click(Qt::MouseButton button, QPoint pixel, Qt::KeyboardModifiers mods = {});
    void Move(QPoint pixel, Qt::MouseButtons held = Qt::NoButton, Qt::KeyboardModifiers mods = {});
    // The pages refreshed, in order; a refresh with a non-zero option adds -1.
    std::vector<std::int64_t> RefreshedPages() const;
};
