#pragma once

// Reading a preset's JSON into a CGisPreset, checking every key and value on
// the way: what each kind of rule may read, tables of block types, colours,
// conditions and open options. Every failure names the preset and the place
// in it. Internal to the formats library: CGisPreset::Load and FromJson are
// the way in.

#include "gis_preset.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QString>

#include <memory>

// A preset file, or a file beside it, larger than this is refused.
constexpr qint64 kMaxPresetBytes = 1 << 20;

// One layer name pattern (no "|"): * ? [...] wildcards, any case.
QRegularExpression GisLayerPattern(const QString& glob);

// `folder` is where "preset:NAME" files are read from; `label` names the
// preset in messages. Null with a Spanish message when the JSON is no valid
// preset.
std::unique_ptr<CGisPreset> ReadGisPreset(const QByteArray& json, const QString& folder,
                                          const QString& label, QString& error);
