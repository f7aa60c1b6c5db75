#include "byte_builder.h"

#include <bit>

ByteBuilder& ByteBuilder::I32(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        m_bytes.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
    return *this;
}

ByteBuilder& ByteBuilder::U8(std::uint8_t v) {
    m_bytes.push_back(v);
    return *this;
}

ByteBuilder& ByteBuilder::F32(float v) {
    return I32(std::bit_cast<std::int32_t>(v));
}

ByteBuilder& ByteBuilder::Text(const std::string& cp1252) {
    U8(static_cast<std::uint8_t>(cp1252.size()));
    m_bytes.insert(m_bytes.end(), cp1252.begin(), cp1252.end());
    return *this;
}

ByteBuilder& ByteBuilder::Raw(const Bytes& bytes) {
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    return *this;
}
