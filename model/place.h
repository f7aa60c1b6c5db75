#pragma once

// Named points of the map: landmarks ("referencias") and colonies. The two
// differ only in the colours they are drawn with, so they share this pair.

#include "color.h"

#include <cstdint>
#include <string>
#include <utility>

class ArchiveReader;
class ArchiveWriter;

// A named point: the common part of references and colonies.
class CmPlace {
public:
    CmPlace() = default;
    CmPlace(std::int32_t x, std::int32_t y, int zoom, std::string name)
        : m_x(x), m_y(y), m_fZoom(static_cast<float>(zoom)), m_strName(std::move(name)) {}
    virtual ~CmPlace() = default;

    std::int32_t m_x = 0;
    std::int32_t m_y = 0;
    bool m_bHighlight = false;
    float m_fZoom = 0.0f;
    std::string m_strName;

    // Every field, stored or not.
    friend bool operator==(const CmPlace&, const CmPlace&) = default;

    void Read(ArchiveReader& in);
    void Write(ArchiveWriter& out) const;
};

class CmRefe : public CmPlace {
public:
    using CmPlace::CmPlace;
    static constexpr Color kTextColor = 0x808080;
    static constexpr Color kHighlightColor = 0x000080;
};

class CmColonias : public CmPlace {
public:
    using CmPlace::CmPlace;
    static constexpr Color kTextColor = 0xff8080;
    static constexpr Color kHighlightColor = 0xff0000;
};
