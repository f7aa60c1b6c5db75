#pragma once

// San Isidro de las Peñas, a small made-up town written as OpenStreetMap XML
// for the import tests: a 300 m grid of named streets, an alley that crosses
// two streets without sharing their nodes, a footpath, a corner cut by a tiny
// link, a ring road far around, a park, a commercial area and a school's
// grounds, landmarks, neighbourhoods, shops and services, and a bus route with
// its stops. The numbers below are what a correct import makes of it.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstddef>

struct LonLat {
    double lon = 0.0;
    double lat = 0.0;
};

// The point `east` and `north` metres from the town's origin.
LonLat TownPoint(double east, double north);

QByteArray TestTownOsm();

// The grid's nine blocks, one of them split in two by the alley.
constexpr std::size_t kTownBlocks = 10;
constexpr std::size_t kTownStreets = 13;
// One label on each of the six streets whose name fits and finds room, and
// fifteen along the 5.8 km ring road.
constexpr std::size_t kTownLabels = 21;
// The ring road's corners, in metres from the origin.
constexpr double kRingWest = -575.0;
constexpr double kRingEast = 875.0;

QStringList TownStreetNames();
