#pragma once

// The towns the tests build in code, and the few helpers both are built with.
//
// Two towns, kept apart on purpose:
// - BuildEveryKindMap, the file-format town: every kind of record with the
//   edge cases a reader and a writer must carry through unchanged (a block of
//   two points and one of none, unsorted names with accents, a UTF-16 text,
//   empty names, a zone naming a block that does not exist). For the model's
//   file tests and the fuzz seed corpus; the editor tests must not see it.
// - FillTestTown, "Mitla": a small tidy town for the editor's tests, whose
//   lists are already in name order so that a save keeps them as they are.
// HandMadeFile is a town as older versions wrote it, made byte by byte, and
// MakeStore with the rectangle AddBlock makes the little maps of the drawing
// and tool tests.

#include "map_store.h"
#include "test_bytes.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The outline (x0, y0, x1, y1, ...).
std::vector<FloatPoint> Outline(std::initializer_list<float> xy);
// Adds a block with the given outline (x0, y0, x1, y1, ...) to the store.
CmBlock& AddBlock(MapStore& store, std::initializer_list<float> xy, std::int32_t type = 1);
// Adds a rectangle block from (x0, y0) to (x1, y1), its outline closed by a
// fifth point on the first.
CmBlock& AddBlock(MapStore& store, float x0, float y0, float x1, float y1, int type);
struct BlockRect {
    float x0, y0, x1, y1;
    int type;
};
// Adds a street through `points` at the scale it is shown at.
CmCalles& AddStreet(MapStore& store, const std::string& name, float zoom,
                    std::vector<MapPoint> points);

// An empty store that counts as an open map.
MapStore MakeStore();

// The file-format town: at least one record of every kind, unsorted names
// with accents, a UTF-16 text and edge cases (see above).
std::unique_ptr<MapStore> BuildEveryKindMap();

// A file as older versions wrote it: header texts, `blocks` triangles, one
// route, one zone and two businesses in one category, no picture. Without
// `version` the block count comes first (it must then be 10 or more); with
// version 1 the records carry the numbers 40, 41, 42 (route, zone, businesses
// 42 and 43) and the counters at the end are 100, 200, 300, 400.
Bytes HandMadeFile(std::optional<std::int32_t> version, std::int32_t blocks);

// The header texts of the editor's town (UTF-8).
struct TestMapContents {
    std::string country = "México";
    std::string state = "Oaxaca";
    std::string town = "Mitla";
};

// The editor's town: four square blocks, streets (one traced at scale 7.5),
// references at scales 8 and 18, a colony, three routes of which the second
// has no name, two zones and two categories, one with two businesses.
void FillTestTown(MapStore& store, const TestMapContents& contents = {});

// Writes the editor's town to `path` (in the local encoding) with the map
// code's own save. Empty on success, otherwise the reason.
std::string WriteTestMap(const std::string& path, const TestMapContents& contents = {});
