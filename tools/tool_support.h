#pragma once

// What the commands of veltrix-tool share: argument parsing, UTF-8 output, and
// opening and saving maps the way the editor does, with the messages it shows.

#include "map_store.h"

#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

// One line of UTF-8 text.
void PrintLine(std::FILE* stream, const QString& text);

// A command's arguments: Qt's parser, told the arguments and options through
// this, so that the command's --help can list them in Spanish.
class CCommandParser {
public:
    void addPositionalArgument(const QString& name, const QString& description);
    void addOption(const QCommandLineOption& option);
    void addOptions(const QList<QCommandLineOption>& options);

    bool isSet(const QCommandLineOption& option) const { return m_parser.isSet(option); }
    QString value(const QCommandLineOption& option) const { return m_parser.value(option); }
    QStringList positionalArguments() const { return m_parser.positionalArguments(); }

    // The command's usage, what it does, its arguments and its options.
    QString HelpText(const QString& name) const;

    QCommandLineParser& Parser() { return m_parser; }

private:
    QCommandLineParser m_parser;
    QList<std::pair<QString, QString>> m_positionals;
    QList<QCommandLineOption> m_options;
};

// Parses the arguments that follow command `name`. The exit status when the
// command ends here: 0 after printing its help (-h, --help) on stdout, or
// kExitUsage after saying on stderr why they do not parse or do not hold
// exactly `positionals` positional arguments; nothing when the command goes on.
std::optional<int> ParseCommandArgs(CCommandParser& parser, const QString& name,
                                    const QStringList& args, qsizetype positionals);
// The same for a command that takes from `least` to `most` positional arguments.
std::optional<int> ParseCommandArgs(CCommandParser& parser, const QString& name,
                                    const QStringList& args, qsizetype least, qsizetype most);

// A path as the file system wants it.
std::string LocalPath(const QString& path);

// Reads a map file (nothing is written anywhere); nullptr after printing the
// Spanish message when it does not open.
std::unique_ptr<MapStore> LoadMapForTool(const QString& path, std::vector<std::uint8_t>& picture);

// The option every command that writes a map takes: it then writes a map
// that an editor has open or that is read-only.
QCommandLineOption ForceOption();

// Whether the map at `path` may be written: not while an editor has it open,
// unless `force`. False after printing who has it.
bool MayWriteMap(const QString& path, bool force);

// Saves through the editor's own save, once MayWriteMap agrees; `force` also
// replaces a read-only map (keeping its mode). False after printing why when
// the map could not be saved.
bool SaveMapForTool(const MapStore& store, const QString& path,
                    std::span<const std::uint8_t> picture, bool force);
