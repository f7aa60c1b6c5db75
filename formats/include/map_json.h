#pragma once

// The whole map store as one JSON object, for `veltrix-tool dump` and for tests
// that compare two stores.

#include "map_store.h"

#include <QJsonObject>
#include <QJsonValue>

#include <cstddef>

// The shortest decimal that reads back to the same 32-bit float, so 0.1f shows
// as 0.1 and not as 0.100000001490116; NaN and infinities become null.
QJsonValue FloatToJson(float value);

// Lists in store order; `pictureBytes` is the size of the embedded picture.
QJsonObject MapToJson(const MapStore& store, std::size_t pictureBytes);
