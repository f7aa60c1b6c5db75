// The editor as the crash test runs it: the real application object opens the
// map named on the command line (taking its lock and offering its recovery
// copy), then edits, saves and copies aside for recovery without pause until
// it is killed. Each step is told on standard output as one line, written
// before and after the step, so that whoever kills it knows what the files
// may hold:
//
//   ready N        the map is open at step N (its file's, or its recovered copy's)
//   offered        the recovery copy was offered (and answered as told)
//   edit N         step N is made: reference "Paso N" added
//   save N         a save of step N begins
//   saved N T      ... and worked, in T microseconds
//   savefail N R   ... and failed, for reason R
//   autosaved N    the recovery copy holds step N
//   unexpected T   a window nobody expected (the test fails)
//
// crash_editor MAP --answer si|no --autosave-ms N --save-every N

#include "edit_history.h"
#include "map_document.h"
#include "map_store.h"
#include "mapa_app.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

const std::string kStepPrefix = "Paso ";

// Straight to the pipe: a line told is never lost in a buffer when the kill comes.
void Say(const QString& line) {
    const QByteArray bytes = (line + QLatin1Char('\n')).toUtf8();
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.constData() + done,
                                  static_cast<std::size_t>(bytes.size() - done));
        if (n <= 0)
            return;
        done += n;
    }
}

// The last step the map holds.
int StepOf(const MapStore& store) {
    int step = 0;
    for (const auto& reference : store.m_listReferences) {
        if (reference->m_strName.starts_with(kStepPrefix))
            step = std::max(step, std::stoi(reference->m_strName.substr(kStepPrefix.size())));
    }
    return step;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption answer(QStringLiteral("answer"), QString(), QStringLiteral("si|no"),
                                    QStringLiteral("si"));
    const QCommandLineOption autosaveMs(QStringLiteral("autosave-ms"), QString(),
                                        QStringLiteral("N"), QStringLiteral("50"));
    const QCommandLineOption saveEvery(QStringLiteral("save-every"), QString(), QStringLiteral("N"),
                                       QStringLiteral("10"));
    parser.addOptions({answer, autosaveMs, saveEvery});
    parser.process(application);
    if (parser.positionalArguments().size() != 1)
        return 2;
    const bool recover = parser.value(answer) == QLatin1String("si");
    const int every = std::max(1, parser.value(saveEvery).toInt());

    // The recovery question is answered as told; any other window means the
    // editor found something it should not have (a lock, a damaged copy).
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box ||
            !box->text().startsWith(QStringLiteral("Se encontró una copia de recuperación"))) {
            Say(QStringLiteral("unexpected ") + (box ? box->text() : modal->objectName()) +
                QLatin1Char(' ') + (box ? box->informativeText() : QString()));
            ::_exit(3);
        }
        Say(QStringLiteral("offered"));
        box->button(recover ? QMessageBox::Yes : QMessageBox::No)->click();
    });
    answerer.start(2);

    CMapaApp app;
    if (!app.InitInstance({QStringLiteral("veltrix"), QStringLiteral("--no-splash"),
                           parser.positionalArguments().front()}))
        return 2;
    CMapDocument& document = app.m_document;
    if (!document.IsOpen()) {
        Say(QStringLiteral("unexpected not-open"));
        return 3;
    }
    int step = StepOf(document.Store());
    Say(QStringLiteral("ready %1").arg(step));
    QObject::connect(&document, &CMapDocument::Autosaved,
                     [&] { Say(QStringLiteral("autosaved %1").arg(step)); });
    document.SetAutosaveInterval(std::chrono::milliseconds(parser.value(autosaveMs).toInt()));

    QTimer editor;
    QObject::connect(&editor, &QTimer::timeout, [&] {
        ++step;
        MapEdit edit(document.Store());
        edit.Insert(0, std::make_unique<CmRefe>(step % 2000, -(step % 1500), 3,
                                                kStepPrefix + std::to_string(step)));
        document.History().Apply(QStringLiteral("Paso"), std::move(edit));
        Say(QStringLiteral("edit %1").arg(step));
        if (step % every != 0)
            return;
        Say(QStringLiteral("save %1").arg(step));
        QString error;
        QElapsedTimer clock;
        clock.start();
        if (document.Save(error))
            Say(QStringLiteral("saved %1 %2").arg(step).arg(clock.nsecsElapsed() / 1000));
        else
            Say(QStringLiteral("savefail %1 %2").arg(step).arg(error));
    });
    editor.start(1);
    return QApplication::exec();
}
