#pragma once

// Little-endian byte building for hand-made files.

#include "test_bytes.h"

#include <cstdint>
#include <string>

class ByteBuilder {
public:
    ByteBuilder& I32(std::int32_t v);
    ByteBuilder& U8(std::uint8_t v);
    ByteBuilder& F32(float v);
    // A text in the one-byte length form.
    ByteBuilder& Text(const std::string& cp1252);
    ByteBuilder& Raw(const Bytes& bytes);
    Bytes bytes() const { return m_bytes; }

private:
    Bytes m_bytes;
};
