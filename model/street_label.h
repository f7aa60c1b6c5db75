#pragma once

// A street-name label: a text placed at a point and turned by an angle.

#include "color.h"
#include "shared_text.h"

#include <cstdint>

class ArchiveReader;
class ArchiveWriter;
class TextInterner;

class CmStname {
public:
    std::int32_t m_x = 0;
    std::int32_t m_y = 0;
    float m_fAngle = 0.0f;
    Color m_crColor = 0x0000ff;
    SharedText m_strText; // one copy of each street's name, shared by its labels

    // Equal texts of the labels read through one `texts` are kept once.
    void Read(ArchiveReader& in, TextInterner& texts);
    void Write(ArchiveWriter& out) const;

    // Font escapement in tenths of a degree, as the label is turned on screen.
    std::int32_t Escapement() const;
    // Map-unit font height at scale s.
    static int FontHeight(float scale) { return scale >= 16.0f ? 6 : 8; }
};
