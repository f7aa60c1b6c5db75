#pragma once

// A business of the directory: a numbered, named point with comments and a
// telephone, listed under one category.

#include "color.h"
#include "record_io.h"

#include <cstdint>
#include <string>

class CmNegocios {
public:
    CmNegocios() = default;
    // Placing a business takes the next business number.
    CmNegocios(std::int32_t x, std::int32_t y, int zoom, std::string name, std::string comments,
               std::string phone, MapCounters& counters);

    static constexpr Color kTextColor = 0x808080;
    static constexpr Color kHighlightColor = 0x000080;

    std::int32_t m_x = 0;
    std::int32_t m_y = 0;
    bool m_bHighlight = false;
    float m_fZoom = 0.0f;
    std::string m_strName;
    std::string m_strExtra1;
    std::string m_strExtra2;
    std::string m_strComments;
    std::string m_strPhone;
    std::string m_strExtra3;
    std::uint32_t m_nBusinessNo = 0;

    // Every field, stored or not.
    friend bool operator==(const CmNegocios&, const CmNegocios&) = default;

    void Read(ArchiveReader& in, const ReadContext& ctx);
    void Write(ArchiveWriter& out) const;

    bool HitTest(std::int32_t x, std::int32_t y) const;
    // Businesses at x = 0 or y = 0 are listed but never drawn.
    bool IsDrawable() const { return m_x != 0 && m_y != 0; }
};
