// The crash test: the real editor (crash_editor, offscreen) opens a large
// town, edits, saves and copies aside for recovery without pause, and is
// killed with SIGKILL at random moments, many of them in the middle of a save
// or of a recovery copy. After every kill the map file must open and be one
// of the maps the editor saved, and what the next start offers (the recovery
// copy, else the file) must hold every step up to the last copy and save.
//
// VELTRIX_CRASH_KILLS sets the number of kills (a soak: thousands),
// VELTRIX_CRASH_SEED repeats a run, VELTRIX_CRASH_BLOCKS the town's size.

#include "map_file.h"
#include "map_lock.h"
#include "map_save.h"
#include "private_home.h"
#include "qt_helpers.h"
#include "recovery_store.h"
#include "town_generator.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>
#include <functional>
#include <optional>
#include <set>
#include <sys/stat.h>

namespace {

const std::string kStepPrefix = "Paso ";

int EnvInt(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

bool Exists(const QString& path) {
    struct stat st {};
    return ::lstat(LocalPath(path).c_str(), &st) == 0;
}

// The step a map file holds: N when it opens whole and holds exactly the
// references "Paso 1" to "Paso N"; -1 when it does not open, -2 when its steps
// have gaps (a mix of two saves).
int StepOfFile(const QString& path) {
    std::vector<std::uint8_t> picture;
    Problem error;
    const auto store = LoadMapFile(LocalPath(path), {}, picture, error);
    if (!store)
        return -1;
    std::set<int> steps;
    for (const auto& reference : store->m_listReferences) {
        if (reference->m_strName.starts_with(kStepPrefix))
            steps.insert(std::stoi(reference->m_strName.substr(kStepPrefix.size())));
    }
    if (!steps.empty() && (*steps.begin() != 1 || *steps.rbegin() != int(steps.size())))
        return -2;
    return int(steps.size());
}

// What one run of the editor told before it was killed.
struct RunLog {
    std::optional<int> ready;
    std::optional<int> lastEdit;
    std::optional<int> lastSaved;
    std::optional<int> saveUnderWay;
    std::optional<int> lastAutosaved;
    // How long the last save took, in microseconds.
    std::optional<qint64> saveUs;
    bool offered = false;
    QStringList unexpected;

    static RunLog Parse(const QByteArray& output) {
        RunLog log;
        for (const QByteArray& raw : output.split('\n')) {
            const QString line = QString::fromUtf8(raw);
            const QString word = line.section(QLatin1Char(' '), 0, 0);
            const int n = line.section(QLatin1Char(' '), 1, 1).toInt();
            if (word == QLatin1String("ready")) {
                log.ready = n;
            } else if (word == QLatin1String("edit")) {
                log.lastEdit = n;
            } else if (word == QLatin1String("save")) {
                log.saveUnderWay = n;
            } else if (word == QLatin1String("saved")) {
                log.lastSaved = n;
                log.saveUnderWay.reset();
                log.saveUs = line.section(QLatin1Char(' '), 2, 2).toLongLong();
            } else if (word == QLatin1String("savefail")) {
                log.saveUnderWay.reset();
            } else if (word == QLatin1String("autosaved")) {
                log.lastAutosaved = n;
            } else if (word == QLatin1String("offered")) {
                log.offered = true;
            } else if (!line.isEmpty()) {
                log.unexpected << line;
            }
        }
        return log;
    }
};

} // namespace

class CrashTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString Path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        // The editors under test keep their settings and recovery copies here,
        // and this test finds the copies where they do.
        UsePrivateHome(m_dir);
    }

    void MapSurvivesBeingKilledAtAnyMoment() {
        const int kills = EnvInt("VELTRIX_CRASH_KILLS", 100);
        const auto seed =
            quint32(EnvInt("VELTRIX_CRASH_SEED", int(QDateTime::currentSecsSinceEpoch())));
        QRandomGenerator random(seed);
        qInfo("VELTRIX_CRASH_SEED=%u", seed);

        // A town large enough that a save takes a while to be caught in.
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("mapas")));
        const QString map = Path(QStringLiteral("mapas/ciudad.map"));
        {
            const MapStore town =
                GenerateTown({.blocks = std::uint32_t(EnvInt("VELTRIX_CRASH_BLOCKS", 20000))});
            std::vector<std::uint8_t> picture(200 * 1024);
            for (auto& byte : picture)
                byte = std::uint8_t(random.bounded(256));
            Problem error;
            QVERIFY2(SaveMapFile(town, LocalPath(map), picture, error), error.Text().c_str());
        }
        const CRecoveryStore recovery;
        const QString copyTemp = recovery.CopyPath(map) + QStringLiteral(".tmp");
        const QString backup = QString::fromStdString(BackupPath(LocalPath(map)));

        int mapStep = StepOfFile(map);
        QCOMPARE(mapStep, 0);
        int highestEdit = 0;
        // Typical times, learnt as the runs go, for aiming the kills.
        qint64 startMs = 500;
        qint64 writeUs = 20000;
        struct {
            int duringStart = 0, duringSave = 0, duringCopy = 0, backupsLeft = 0, offered = 0;
        } seen;
        QElapsedTimer total;
        total.start();

        for (int run = 0; run < kills; ++run) {
            const int aim = run % 4;
            QProcess editor;
            editor.setProgram(QStringLiteral(VELTRIX_CRASH_EDITOR));
            editor.setArguments({map, QStringLiteral("--answer"),
                                 run % 3 == 2 ? QStringLiteral("no") : QStringLiteral("si"),
                                 QStringLiteral("--autosave-ms"), QStringLiteral("40"),
                                 QStringLiteral("--save-every"), QStringLiteral("7")});
            QElapsedTimer clock;
            clock.start();
            editor.start();
            QVERIFY(editor.waitForStarted(10000));
            QByteArray output;
            // Reads what the editor says until `until` holds, the editor ends or time is up.
            const auto readUntil = [&](const std::function<bool()>& until, int ms) {
                QElapsedTimer waited;
                waited.start();
                while (!until() && waited.elapsed() < ms && editor.state() == QProcess::Running) {
                    editor.waitForReadyRead(5);
                    output += editor.readAllStandardOutput();
                }
                return until();
            };
            const auto saidReady = [&] { return output.contains("ready "); };
            switch (aim) {
            case 0: // anywhere, start-up included (lock taken over, copy offered and read)
                QThread::usleep(random.bounded(quint32(startMs * 1300)));
                break;
            case 1: // anywhere in the work
                QVERIFY(readUntil(saidReady, 60000));
                startMs = (startMs * 3 + clock.elapsed()) / 4;
                QThread::usleep(random.bounded(300000u));
                break;
            case 2: { // in a save
                QVERIFY(readUntil(saidReady, 60000));
                const qsizetype from = output.size();
                QVERIFY(readUntil([&] { return output.indexOf("\nsave ", from - 1) >= 0; }, 60000));
                QThread::usleep(random.bounded(quint32(writeUs * 3 / 2)));
                break;
            }
            case 3: { // in a recovery copy
                QVERIFY(readUntil(saidReady, 60000));
                QElapsedTimer waited;
                waited.start();
                while (!Exists(copyTemp) && waited.elapsed() < 60000 &&
                       editor.state() == QProcess::Running)
                    QThread::usleep(100);
                QThread::usleep(random.bounded(quint32(writeUs * 3 / 2)));
                break;
            }
            }
            ::kill(pid_t(editor.processId()), SIGKILL);
            QVERIFY(editor.waitForFinished(30000));
            output += editor.readAllStandardOutput();
            const RunLog log = RunLog::Parse(output);
            QVERIFY2(log.unexpected.isEmpty(), qPrintable(log.unexpected.join(QLatin1Char('\n'))));
            QVERIFY2(editor.exitStatus() == QProcess::CrashExit,
                     qPrintable(QStringLiteral("the editor ended by itself: ") +
                                QString::fromUtf8(editor.readAllStandardError())));
            if (log.lastEdit)
                highestEdit = std::max(highestEdit, *log.lastEdit);

            // The map file is the one saved last, or the one whose save was cut.
            const int step = StepOfFile(map);
            const int saved = log.lastSaved.value_or(mapStep);
            QVERIFY2(step == saved || (log.saveUnderWay && step == *log.saveUnderWay),
                     qPrintable(QStringLiteral("run %1: the map holds step %2, saved %3, save "
                                               "under way %4")
                                    .arg(run)
                                    .arg(step)
                                    .arg(saved)
                                    .arg(log.saveUnderWay.value_or(-1))));
            // What the next start offers holds every step copied or saved.
            int offered = step;
            if (const std::optional<CRecoveryCopy> copy = recovery.NewerThanMap(map)) {
                offered = StepOfFile(copy->copyPath);
                QVERIFY2(offered >= step && offered <= highestEdit,
                         qPrintable(QStringLiteral("run %1: the copy holds step %2, the map %3")
                                        .arg(run)
                                        .arg(offered)
                                        .arg(step)));
            }
            QVERIFY2(offered >= log.lastAutosaved.value_or(0) && offered >= saved,
                     qPrintable(QStringLiteral("run %1: %2 offered, but step %3 was copied aside")
                                    .arg(run)
                                    .arg(offered)
                                    .arg(log.lastAutosaved.value_or(0))));
            // The dead editor's lock keeps nobody out.
            QVERIFY(!MapLock::HeldByOther(LocalPath(map)));

            // What a cut write leaves behind. A backup stays for the person to
            // look at (the next save refuses to run over it); they would remove it.
            if (Exists(backup)) {
                ++seen.backupsLeft;
                QVERIFY(StepOfFile(backup) >= 0);
                QVERIFY(QFile::remove(backup));
            }
            const QStringList temps =
                QDir(Path(QStringLiteral("mapas"))).entryList({QStringLiteral("*.tmap")});
            for (const QString& temp : temps)
                QVERIFY(QFile::remove(Path(QStringLiteral("mapas/") + temp)));
            if (!temps.isEmpty() || log.saveUnderWay)
                ++seen.duringSave;
            if (Exists(copyTemp)) {
                ++seen.duringCopy;
                QVERIFY(QFile::remove(copyTemp));
            }
            if (!log.ready)
                ++seen.duringStart;
            if (log.offered)
                ++seen.offered;
            mapStep = step;
            if (log.saveUs)
                writeUs = (writeUs * 3 + *log.saveUs) / 4;
        }
        qInfo("%d kills in %.1f s: %d in start-up, %d in a save, %d in a recovery copy, "
              "%d backups left, %d recovery copies offered; the map reached step %d",
              kills, double(total.elapsed()) / 1000.0, seen.duringStart, seen.duringSave,
              seen.duringCopy, seen.backupsLeft, seen.offered, mapStep);
        // Enough runs must have hit what the test is about.
        if (kills >= 40) {
            QVERIFY(seen.duringSave > 0);
            QVERIFY(seen.duringCopy > 0);
            QVERIFY(seen.offered > 0);
        }
    }
};

QTEST_MAIN(CrashTest)
#include "crash_test.moc"
