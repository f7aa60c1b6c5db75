// veltrix-tool speaks the language the editor speaks: English when the editor's
// settings or the system ask for it, Spanish, unchanged, otherwise; what other
// programs read from it stays the same in both.

#include "tool_run.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>

namespace {

// Every other test of the suite compares the tool's Spanish: it gets it
// whatever the language of the machine or of the user's editor.
class SpanishToolRuns : public ::testing::Environment {
public:
    void SetUp() override {
        qputenv("LC_ALL", "C.UTF-8");
        qunsetenv("LANGUAGE");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    }

private:
    QTemporaryDir m_config;
};

[[maybe_unused]] ::testing::Environment* const kSpanishToolRuns =
    ::testing::AddGlobalTestEnvironment(new SpanishToolRuns);

const QString kSample = QStringLiteral(VELTRIX_SAMPLE_MAP);
const char* const kCommands[] = {"info",    "dump",        "save",   "check",  "generate", "render",
                                 "picture", "set-picture", "import", "export", "guide"};

class ToolLanguage : public ::testing::Test {
protected:
    // The tool as started by someone whose system speaks `locale` and whose
    // editor keeps `stored` ("en", "es" or nothing) as its language.
    QProcessEnvironment Environment(const QString& locale, const QString& stored) {
        const QString config = m_home.filePath(locale + stored);
        if (!stored.isEmpty()) {
            // Where and how the editor keeps its choice.
            QSettings editor(config + QStringLiteral("/KORVEN Soft/Veltrix.conf"),
                             QSettings::IniFormat);
            editor.setValue(QStringLiteral("idioma"), stored);
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), locale);
        environment.insert(QStringLiteral("LANG"), locale);
        environment.remove(QStringLiteral("LANGUAGE"));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        return environment;
    }

    QString Path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_home;
    QTemporaryDir m_dir;
};

// Spanish left in a text that should be English: its words or its letters.
bool LooksSpanish(const QString& text) {
    static const QRegularExpression spanish(
        QStringLiteral("[áéíóúñÁÉÍÓÚÑ¿¡]|\\b(el|la|los|las|de|del|que|un|una|en|con|se|es|"
                       "Uso|Opciones|Argumentos|Muestra)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    return text.contains(spanish);
}

TEST_F(ToolLanguage, SpeaksEnglishWhenAskedAndUnchangedSpanishOtherwise) {
    const QProcessEnvironment spanish = Environment(QStringLiteral("C.UTF-8"), QString());
    const QProcessEnvironment storedEnglish =
        Environment(QStringLiteral("C.UTF-8"), QStringLiteral("en"));
    const QProcessEnvironment englishSystem = Environment(QStringLiteral("en_US.UTF-8"), QString());
    const QProcessEnvironment storedSpanish =
        Environment(QStringLiteral("en_US.UTF-8"), QStringLiteral("es"));

    // The general help: the same commands and options, the words around them translated.
    const ToolRun ayuda = RunTool({QStringLiteral("--help")}, spanish);
    ASSERT_EQ(ayuda.code, 0) << ayuda.err.toStdString();
    EXPECT_TRUE(ayuda.out.startsWith(QStringLiteral(
        "Uso: veltrix-tool ORDEN [ARGUMENTOS]\n"
        "     veltrix-tool --help | --version\n\nÓrdenes:\n"
        "  info MAPA\n"
        "      textos, cuentas de cada lista, contadores, imagen y límites del mapa\n")))
        << ayuda.out.toStdString();
    for (const QProcessEnvironment& english : {storedEnglish, englishSystem}) {
        const ToolRun help = RunTool({QStringLiteral("--help")}, english);
        ASSERT_EQ(help.code, 0) << help.err.toStdString();
        EXPECT_TRUE(help.out.startsWith(
            QStringLiteral("Usage: veltrix-tool COMMAND [ARGUMENTS]\n"
                           "       veltrix-tool --help | --version\n\nCommands:\n"
                           "  info MAP\n"
                           "      texts, counts of each list, counters, picture and bounds of the "
                           "map\n")))
            << help.out.toStdString();
        const QRegularExpression names(QStringLiteral("--[a-z]+|^  [a-z-]+ "),
                                       QRegularExpression::MultilineOption);
        QStringList spanishNames, englishNames;
        for (auto it = names.globalMatch(ayuda.out); it.hasNext();)
            spanishNames.append(it.next().captured());
        for (auto it = names.globalMatch(help.out); it.hasNext();)
            englishNames.append(it.next().captured());
        EXPECT_EQ(englishNames, spanishNames);
        EXPECT_GT(spanishNames.size(), 30);
    }
    // A stored Spanish outweighs an English system, as in the editor.
    EXPECT_EQ(RunTool({QStringLiteral("--help")}, storedSpanish).out, ayuda.out);

    // Every command's help, with no Spanish left but the values it takes.
    for (const char* command : kCommands) {
        const QString name = QString::fromUtf8(command);
        const ToolRun help = RunTool({name, QStringLiteral("--help")}, storedEnglish);
        EXPECT_EQ(help.code, 0) << command;
        EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: veltrix-tool %1 ").arg(name)))
            << help.out.toStdString();
        EXPECT_TRUE(help.out.contains(QStringLiteral("\nOptions:\n")));
        EXPECT_TRUE(help.out.contains(QStringLiteral("  -h, --help")) &&
                    help.out.contains(QStringLiteral("Shows this help.")));
        QString words = help.out;
        words.remove(QRegularExpression(QStringLiteral("\"Doble carta\"")));
        EXPECT_FALSE(LooksSpanish(words)) << help.out.toStdString();
        const ToolRun ayudaOrden = RunTool({name, QStringLiteral("--help")}, spanish);
        EXPECT_TRUE(ayudaOrden.out.startsWith(QStringLiteral("Uso: veltrix-tool %1 ").arg(name)));
        EXPECT_TRUE(ayudaOrden.out.contains(QStringLiteral("  -h, --help  ")) &&
                    ayudaOrden.out.contains(QStringLiteral("Muestra esta ayuda.")));
    }
    const ToolRun infoHelp = RunTool({QStringLiteral("info"), QStringLiteral("-h")}, storedEnglish);
    EXPECT_EQ(infoHelp.out, QStringLiteral("Usage: veltrix-tool info MAP\n\n"
                                           "Texts, counts of each list, counters, picture and "
                                           "bounds of the map.\n\n"
                                           "Arguments:\n"
                                           "  MAP         The map file.\n\n"
                                           "Options:\n"
                                           "  -h, --help  Shows this help.\n"));

    // The tool's own failures, with the values it parses left as it parses them.
    const QStringList badPaper{QStringLiteral("guide"),   kSample,
                               QStringLiteral("-o"),      Path("guia.pdf"),
                               QStringLiteral("--paper"), QStringLiteral("B5")};
    ToolRun run = RunTool(badPaper, storedEnglish);
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.err.contains(
        QStringLiteral("Unknown paper “B5”: use A4, Carta or \"Doble carta\".\n"
                       "Usage: veltrix-tool guide MAP -o GUIDE.pdf [--scale S] "
                       "[--paper A4|Carta|\"Doble carta\"] [--orientation vertical|horizontal]")))
        << run.err.toStdString();
    run = RunTool(badPaper, spanish);
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(
        run.err.contains(QStringLiteral("Papel desconocido «B5»: use A4, Carta o \"Doble carta\".\n"
                                        "Uso: veltrix-tool guide MAPA -o GUIA.pdf [--scale S] ")))
        << run.err.toStdString();
    run = RunTool({QStringLiteral("frobnicate")}, englishSystem);
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("Unknown command: frobnicate\nUsage: ")));
    run = RunTool({QStringLiteral("info"), kSample, kSample}, storedEnglish);
    EXPECT_EQ(run.err, QStringLiteral("Too many arguments.\nUsage: veltrix-tool info MAP\n"));
    EXPECT_EQ(RunTool({QStringLiteral("info"), kSample, kSample}, spanish).err,
              QStringLiteral("Sobran argumentos.\nUso: veltrix-tool info MAPA\n"));
    EXPECT_FALSE(QFile::exists(Path("guia.pdf")));

    // A map that does not open: the model's failure, through the same catalogue.
    const QString missing = Path("no/such/town.map");
    run = RunTool({QStringLiteral("check"), missing}, storedEnglish);
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, QStringLiteral("Unexpected error while reading town.map.\n"));
    run = RunTool({QStringLiteral("check"), missing}, spanish);
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err, QStringLiteral("Error inesperado al leer town.map.\n"));

    // What a person reads is translated line for line; what a program reads is not.
    const ToolRun info = RunTool({QStringLiteral("info"), kSample}, storedEnglish);
    const ToolRun datos = RunTool({QStringLiteral("info"), kSample}, spanish);
    ASSERT_EQ(info.code, 0);
    const QStringList lines = info.out.split(QLatin1Char('\n'));
    const QStringList lineas = datos.out.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), lineas.size());
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(QLatin1String(": "));
        const qsizetype dos = lineas[i].indexOf(QLatin1String(": "));
        ASSERT_GT(colon, 0) << lines[i].toStdString();
        EXPECT_NE(lines[i].left(colon), lineas[i].left(dos)) << lines[i].toStdString();
    }
    EXPECT_TRUE(info.out.contains(QStringLiteral("\nBlocks: ")) &&
                datos.out.contains(QStringLiteral("\nManzanas: ")));
    const ToolRun dump = RunTool({QStringLiteral("dump"), kSample}, storedEnglish);
    EXPECT_EQ(dump.code, 0);
    EXPECT_EQ(dump.out, RunTool({QStringLiteral("dump"), kSample}, spanish).out);
}

} // namespace
