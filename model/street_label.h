#pragma once

// A street-name label: a text placed at a point and turned by an angle.

#include "color.h"

#include <cstdint>
#include <string>

class ArchiveReader;
class ArchiveWriter;

class CmStname {
public:
    std::int32_t m_x = 0;
    std::int32_t m_y = 0;
    float m_fAngle = 0.0f;
    std::string m_strText;
    Color m_crColor = 0x0000ff;

    void Read(ArchiveReader& in);
    void Write(ArchiveWriter& out) const;

    // Font escapement in tenths of a degree, as the label is turned on screen.
    std::int32_t Escapement() const;
    // Map-unit font height at scale s.
    static int FontHeight(float scale) { return scale >= 16.0f ? 6 : 8; }
};
