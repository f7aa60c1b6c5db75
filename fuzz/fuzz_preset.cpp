// Reads arbitrary bytes as an import preset, as `--preset FILE` and the import
// dialog's "Otro archivo..." do: anything is refused with a message or read
// whole, and what was read writes back to JSON that reads again.
#include "gis_preset.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray json(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // No folder: a preset naming files beside it must fail cleanly, not read elsewhere.
    const QString folder = QStringLiteral("/nonexistent-veltrix-fuzz");
    QString error;
    const auto preset = CGisPreset::FromJson(json, folder, QStringLiteral("fuzz"), error);
    if (!preset) {
        if (error.isEmpty())
            __builtin_trap();
        return 0;
    }
    QString again;
    if (!CGisPreset::FromJson(preset->ToJson(), folder, QStringLiteral("fuzz"), again))
        __builtin_trap();
    return 0;
}
