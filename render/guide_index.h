#pragma once

// What the guide lists after its map pages, with the squares where each item
// lies on them: every street once (its traced lines and its name labels), the
// directory by category, the references and the colonies, in the order a
// Spanish reader looks things up.

#include "guide_layout.h"

#include <QString>

#include <vector>

class MapStore;

struct GuideEntry {
    QString name;
    QString detail;                 // a business's address and telephone
    std::vector<GuidePlace> places; // sorted, each once; empty for an item off every page
};

struct GuideCategory {
    QString name;
    std::vector<GuideEntry> businesses;
};

struct GuideIndex {
    std::vector<GuideEntry> streets;
    std::vector<GuideCategory> directory;
    std::vector<GuideEntry> references;
    std::vector<GuideEntry> colonies;
};

// A street is placed by the squares its lines pass through and those of its
// labels; a business, reference or colony by its point. A business the map
// never draws (at x or y 0) has no place.
GuideIndex BuildGuideIndex(const MapStore& store, const CGuideLayout& layout);

// The places grouped by page, each page's number once before its squares:
// "12 C3 C4, 13 A3"; "fuera del plano" for no place. Places must be sorted.
QString GuidePlacesText(const std::vector<GuidePlace>& places);
