#pragma once

// The overview picture a generated town carries: its blocks, north up, laid out
// so that the guide window's mapping from map units to picture pixels puts each
// block where it is.

#include "map_store.h"

#include <QImage>

#include <cstdint>
#include <vector>

// Height for a picture `width` pixels wide spanning m_rcBlocks: the guide takes
// one scale, width / (bounds width), for both axes.
int OverviewHeight(const MapStore& store, int width);

// The blocks filled with their type colours and outlined, on white. The mapping
// is x_pix = k (x + R), y_pix = k |y + T| with k = width / (R - L), where L, T,
// R, B are the block bounds (T the smallest y); it is a plain affine map for a
// town centred on the origin, which is what the generator makes.
QImage DrawOverview(const MapStore& store, int width);

// DrawOverview encoded as a baseline JPEG; empty when encoding failed.
std::vector<std::uint8_t> MakeOverviewJpeg(const MapStore& store, int width = 512,
                                           int quality = 80);
