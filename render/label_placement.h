#pragma once

// Street names that do not cover one another. Of names whose boxes meet, the
// more important one stays and the other is left out: the name of the longer
// street first (a street's name is repeated along it, so more labels carry
// it), then the longer name, then the one that came first. The printed guide
// always places its names so; the map window does when asked.

#include <QRect>

#include <cstdint>
#include <vector>

struct LabelCandidate {
    std::uint32_t label = 0; // its place in the store's labels
    QRect box;               // the pixels the turned name covers
    int weight = 0;          // how many labels carry the same name
    int length = 0;          // the name's length
};

// The labels kept, in the order of their places in the store.
std::vector<std::uint32_t> PlaceLabels(std::vector<LabelCandidate> candidates);
