// What the tool's outputs do to the files already there: an export replaces
// only when told to (--force), keeps a read-only file read-only, and puts all
// its files in place or none; no output follows a link another user planted in
// a shared folder, while the user's own links lead where they always did.

#include "osm_town.h"
#include "other_user.h"
#include "qt_helpers.h"
#include "scratch_dir.h"
#include "tool_run.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

unsigned ModeOf(const QString& path) {
    struct stat st {};
    return ::lstat(LocalPath(path).c_str(), &st) == 0 ? (st.st_mode & 07777) : 0u;
}

bool IsLink(const QString& path) {
    struct stat st {};
    return ::lstat(LocalPath(path).c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

unsigned NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666u & ~static_cast<unsigned>(mask);
}

void WriteText(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(text);
}

class SafeOutput : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        WriteText(Path(QStringLiteral("san-isidro.osm")), TestTownOsm());
        const ToolRun run =
            RunTool({QStringLiteral("import"), Path(QStringLiteral("san-isidro.osm")),
                     QStringLiteral("-o"), Map()});
        ASSERT_EQ(run.code, 0) << run.err.toStdString();
    }
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QString Map() const { return Path(QStringLiteral("a.map")); }
    QStringList Entries() const {
        return QDir(m_dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
    ToolRun Export(const QString& out, bool force) const {
        QStringList args{QStringLiteral("export"), Map(), QStringLiteral("-o"), out};
        if (force)
            args.append(QStringLiteral("--force"));
        return RunTool(args);
    }

    QTemporaryDir m_dir;
};

TEST_F(SafeOutput, ExportReplacesOnlyWhenForcedAndAReadOnlyFileStaysReadOnly) {
    const QString out = Path(QStringLiteral("capas.geojson"));
    const QString blocks = Path(QStringLiteral("capas-manzanas.geojson"));
    const QString streets = Path(QStringLiteral("capas-calles.geojson"));
    ToolRun run = Export(out, false);
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(ModeOf(blocks), NewFileMode());

    // Any one file of the set is enough to stop it, and the message says how.
    ASSERT_TRUE(QFile::remove(blocks));
    WriteText(streets, "viejo");
    const QStringList before = Entries();
    run = Export(out, false);
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Ya existe %1").arg(streets)))
        << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("--force"))) << run.err.toStdString();
    EXPECT_EQ(FileBytes(streets), QByteArray("viejo"));
    EXPECT_EQ(Entries(), before);

    ASSERT_EQ(::chmod(LocalPath(streets).c_str(), 0444), 0);
    run = Export(out, false);
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("El archivo es de solo lectura: %1.").arg(streets)))
        << run.err.toStdString();
    EXPECT_EQ(FileBytes(streets), QByteArray("viejo"));

    run = Export(out, true);
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(FileBytes(streets).contains("FeatureCollection"));
    EXPECT_EQ(ModeOf(streets), 0444u);
    EXPECT_EQ(ModeOf(blocks), NewFileMode());
    // A file that lets its group write keeps that, and gets no more.
    ASSERT_EQ(::chmod(LocalPath(streets).c_str(), 0620), 0);
    ASSERT_EQ(Export(out, true).code, 0);
    EXPECT_EQ(ModeOf(streets), 0620u);
}

TEST_F(SafeOutput, ExportThatCannotPlaceEveryFileLeavesEveryOldOne) {
    // "rutas" is among the last files to go in: the others would be in place
    // by then if they went in one by one.
    const QString streets = Path(QStringLiteral("capas-calles.geojson"));
    WriteText(streets, "viejo");
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("capas-rutas.geojson/dentro")));
    const QStringList before = Entries();
    const ToolRun run = Export(Path(QStringLiteral("capas.geojson")), true);
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(run.err.contains(Path(QStringLiteral("capas-rutas.geojson"))))
        << run.err.toStdString();
    EXPECT_EQ(FileBytes(streets), QByteArray("viejo"));
    EXPECT_EQ(Entries(), before);
}

TEST_F(SafeOutput, NoOutputFollowsALinkAnotherUserPlanted) {
    ScratchDir shared;
    ASSERT_TRUE(MakeSharedStickyFolder(shared.path().string()));
    const QString folder = QString::fromStdString(shared.path().string());
    const QString victim = Path(QStringLiteral("privado.txt"));
    WriteText(victim, "privado");
    const auto plant = [&](const QString& name) {
        return PlantLinkAsNobody(LocalPath(victim), LocalPath(folder + QLatin1Char('/') + name));
    };
    if (const std::string why = plant(QStringLiteral("capas-manzanas.geojson")); !why.empty())
        GTEST_SKIP() << why;

    ASSERT_TRUE(QImage(8, 6, QImage::Format_RGB32).save(Path(QStringLiteral("q.bmp")), "BMP"));
    ASSERT_EQ(plant(QStringLiteral("q.png")), "");
    ASSERT_EQ(plant(QStringLiteral("r.png")), "");
    ASSERT_EQ(plant(QStringLiteral("b.prj")), "");
    struct Case {
        const char* what;
        QStringList args;
        QString link;
    };
    const Case cases[] = {
        {"export",
         {QStringLiteral("export"), Map(), QStringLiteral("-o"),
          folder + QStringLiteral("/capas.geojson"), QStringLiteral("--force")},
         folder + QStringLiteral("/capas-manzanas.geojson")},
        {"picture",
         {QStringLiteral("picture"), Path(QStringLiteral("q.bmp")), QStringLiteral("-o"),
          folder + QStringLiteral("/q.png")},
         folder + QStringLiteral("/q.png")},
        {"render",
         {QStringLiteral("render"), Map(), QStringLiteral("-o"), folder + QStringLiteral("/r.png")},
         folder + QStringLiteral("/r.png")},
        {"import",
         {QStringLiteral("import"), Path(QStringLiteral("san-isidro.osm")), QStringLiteral("-o"),
          folder + QStringLiteral("/b.map")},
         folder + QStringLiteral("/b.prj")},
    };
    for (const Case& c : cases) {
        const ToolRun run = RunTool(c.args);
        EXPECT_EQ(run.code, 1) << c.what;
        EXPECT_TRUE(run.err.contains(QStringLiteral("El enlace %1 es de otro usuario").arg(c.link)))
            << c.what << ": " << run.err.toStdString();
        EXPECT_EQ(FileBytes(victim), QByteArray("privado")) << c.what;
        EXPECT_TRUE(IsLink(c.link)) << c.what;
    }
    // Nothing of the refused outputs is left in the shared folder.
    EXPECT_EQ(shared.Entries(),
              (std::vector<std::string>{"b.prj", "capas-manzanas.geojson", "q.png", "r.png"}));
}

TEST_F(SafeOutput, TheUsersOwnLinkLeadsTheExportToItsFile) {
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("datos")));
    const QString real = Path(QStringLiteral("datos/manzanas.geojson"));
    WriteText(real, "viejo");
    const QString link = Path(QStringLiteral("capas-manzanas.geojson"));
    ASSERT_TRUE(QFile::link(real, link));
    const ToolRun run = Export(Path(QStringLiteral("capas.geojson")), true);
    ASSERT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(IsLink(link));
    EXPECT_TRUE(FileBytes(real).contains("FeatureCollection"));
    EXPECT_EQ(QDir(Path(QStringLiteral("datos"))).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("manzanas.geojson")});
}

TEST_F(SafeOutput, ImportTakesOnlyAWellFormedCrsCode) {
    for (const QString& crs : {QStringLiteral("EPSG:4326x"), QStringLiteral("EPSG:"),
                               QStringLiteral("4326"), QStringLiteral("+proj=longlat")}) {
        const QString map = Path(QStringLiteral("c.map"));
        const ToolRun run =
            RunTool({QStringLiteral("import"), Path(QStringLiteral("san-isidro.osm")),
                     QStringLiteral("-o"), map, QStringLiteral("--crs"), crs});
        EXPECT_EQ(run.code, 2) << crs.toStdString();
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("«%1»").arg(crs))) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(map)) << crs.toStdString();
    }
}

} // namespace
