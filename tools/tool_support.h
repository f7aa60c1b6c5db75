#pragma once

// What the commands of veltrix-tool share: argument parsing, UTF-8 output, and
// opening and saving maps the way the editor does, with the messages it shows.

#include "map_store.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <vector>

// One line of UTF-8 text.
void PrintLine(std::FILE* stream, const QString& text);

// Parses the arguments that follow command `name`. False, after saying why on
// stderr, when they do not parse or do not hold exactly `positionals` positional
// arguments.
bool ParseCommandArgs(QCommandLineParser& parser, const QString& name, const QStringList& args,
                      qsizetype positionals);
// The same for a command that takes from `least` to `most` positional arguments.
bool ParseCommandArgs(QCommandLineParser& parser, const QString& name, const QStringList& args,
                      qsizetype least, qsizetype most);

// A path as the file system wants it.
std::string LocalPath(const QString& path);

// Reads a map file (nothing is written anywhere); nullptr after printing the
// Spanish message when it does not open.
std::unique_ptr<MapStore> LoadMapForTool(const QString& path, std::vector<std::uint8_t>& picture);

// Saves through the editor's own save. False after printing why when the map
// could not be saved.
bool SaveMapForTool(const MapStore& store, const QString& path,
                    std::span<const std::uint8_t> picture);
