#pragma once

// The Spanish names and the colours generated towns are made of. Every
// generated town, the committed sample among them, follows from these tables
// and its seed alone: a change here changes them all.

#include "color.h"

#include <span>
#include <string_view>

struct TownCategory {
    std::string_view name;   // of the category
    std::string_view prefix; // of its businesses' names
};

struct TownState {
    std::string_view name;
    std::string_view areaCode; // of its telephone numbers
};

struct TownNames {
    // Lists run out on large towns; later rounds add these to the names.
    std::span<const std::string_view> streetQualifiers;
    std::span<const std::string_view> colonyQualifiers;
    std::span<const std::string_view> eastWestStreets;
    std::span<const std::string_view> northSouthStreets;
    std::span<const std::string_view> avenues; // the two diagonals
    std::span<const std::string_view> landmarks;
    std::span<const std::string_view> colonies;
    std::span<const std::string_view> zones;
    std::span<const std::string_view> zoneNotes;
    std::span<const TownCategory> categories;
    std::span<const std::string_view> businessNames;
    std::span<const TownState> states;
    std::span<const std::string_view> towns;
    std::span<const Color> routeColors;
};

extern const TownNames kTownNames;
