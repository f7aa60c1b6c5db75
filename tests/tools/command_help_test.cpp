// Every command of veltrix-tool answers -h and --help with its usage and all
// its options, in Spanish, on standard output, and does nothing else.

#include "tool_run.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

const char* const kCommands[] = {"info",    "dump",        "save",   "check",  "generate", "render",
                                 "picture", "set-picture", "import", "export", "guide"};

class CommandHelp : public ::testing::TestWithParam<const char*> {};

TEST_P(CommandHelp, ListsUsageAndEveryOptionInSpanish) {
    const QString name = QString::fromUtf8(GetParam());
    // The options the general help gives this command.
    const ToolRun general = RunTool({QStringLiteral("--help")});
    ASSERT_EQ(general.code, 0);
    const QRegularExpression usageLine(
        QStringLiteral("^  %1 (.*)$").arg(QRegularExpression::escape(name)),
        QRegularExpression::MultilineOption);
    const QRegularExpressionMatch usage = usageLine.match(general.out);
    ASSERT_TRUE(usage.hasMatch()) << general.out.toStdString();
    QStringList options;
    for (auto it = QRegularExpression(QStringLiteral("--[a-z]+")).globalMatch(usage.captured(1));
         it.hasNext();)
        options.append(it.next().captured());

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const QString& flag : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        // Asked beside arguments that would make or change files, help does
        // only that.
        const ToolRun run =
            RunTool({name, QStringLiteral("-o"), dir.filePath(QStringLiteral("x.map")),
                     dir.filePath(QStringLiteral("y.map")), flag});
        EXPECT_EQ(run.code, 0) << run.err.toStdString();
        EXPECT_TRUE(run.err.isEmpty() || run.err.startsWith(QStringLiteral("QStandardPaths")))
            << run.err.toStdString();
        EXPECT_TRUE(run.out.startsWith(QStringLiteral("Uso: veltrix-tool %1 ").arg(name)))
            << run.out.toStdString();
        EXPECT_TRUE(run.out.contains(QStringLiteral("Opciones:")));
        EXPECT_TRUE(run.out.contains(QStringLiteral("-h, --help")));
        for (const QString& option : options)
            EXPECT_TRUE(run.out.contains(QStringLiteral("  ") + option) ||
                        run.out.contains(QStringLiteral(", ") + option))
                << name.toStdString() << " does not explain " << option.toStdString();
        for (const char* english : {"Usage", "Options", "Arguments", "Displays", "help on"})
            EXPECT_FALSE(run.out.contains(QString::fromUtf8(english), Qt::CaseInsensitive))
                << run.out.toStdString();
        EXPECT_TRUE(QDir(dir.path()).isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(AllCommands, CommandHelp, ::testing::ValuesIn(kCommands),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             std::erase(name, '-');
                             return name;
                         });

TEST(CommandHelpBeside, UnknownOptionStillGetsHelp) {
    const ToolRun run =
        RunTool({QStringLiteral("import"), QStringLiteral("--bogus"), QStringLiteral("--help")});
    EXPECT_EQ(run.code, 0);
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("Uso: veltrix-tool import ")));
    // Without it, the same mistake is still a mistake.
    const ToolRun wrong = RunTool({QStringLiteral("import"), QStringLiteral("--bogus")});
    EXPECT_EQ(wrong.code, 2);
    EXPECT_TRUE(wrong.err.contains(QStringLiteral("Opción desconocida: bogus")));
}

} // namespace
