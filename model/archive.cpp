#include "archive.h"

#include "codepage.h"
#include "point_pool.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

constexpr std::size_t kFileBuffer = 1 << 16;
// Writes go out in larger pieces: a save of a large town is then a few dozen
// system calls.
constexpr std::size_t kWriteBuffer = 1 << 20;

} // namespace

Problem FormatErrorText() {
    return {MODEL_NOOP("Problem", "Formato de archivo no esperado.")};
}

Problem ReadErrorText(const std::string& fileName) {
    return {MODEL_NOOP("Problem", "Error inesperado al leer %1."), {fileName}};
}

ArchiveReader::ArchiveReader(std::span<const std::uint8_t> bytes, std::string fileName)
    : m_data(bytes.data()), m_bufferEnd(bytes.size()), m_size(bytes.size()),
      m_fileName(std::move(fileName)) {}

ArchiveReader::ArchiveReader(std::FILE* file, std::uint64_t size, std::string fileName)
    : m_file(file), m_buffer(kFileBuffer), m_size(size), m_fileName(std::move(fileName)) {}

void ArchiveReader::FailFormat() const {
    throw MapFileError(FormatErrorText());
}

void ArchiveReader::FailRead() const {
    throw MapFileError(ReadErrorText(m_fileName));
}

const std::uint8_t* ArchiveReader::Refill(std::size_t n) {
    if (n > Remaining() || !m_file)
        FailRead();
    // Slide what is left to the front and top the buffer up, never past the
    // end the reader was given, so that what the buffer serves is always within it.
    const std::size_t left = m_bufferEnd - m_bufferPos;
    std::memmove(m_buffer.data(), m_buffer.data() + m_bufferPos, left);
    m_bufferPos = 0;
    m_bufferEnd = left;
    if (n > m_buffer.size())
        m_buffer.resize(n);
    const std::uint64_t unread = Remaining() - left;
    const std::size_t want =
        left + static_cast<std::size_t>(std::min<std::uint64_t>(m_buffer.size() - left, unread));
    while (m_bufferEnd < want) {
        const std::size_t got =
            std::fread(m_buffer.data() + m_bufferEnd, 1, want - m_bufferEnd, m_file);
        if (got == 0)
            FailRead();
        m_bufferEnd += got;
    }
    m_data = m_buffer.data();
    const std::uint8_t* p = m_data + m_bufferPos;
    m_bufferPos += n;
    m_consumed += n;
    return p;
}

std::uint8_t ArchiveReader::ReadU8() {
    return *Take(1);
}

std::uint16_t ArchiveReader::ReadU16() {
    const std::uint8_t* p = Take(2);
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t ArchiveReader::ReadU32() {
    return LoadLe32(Take(4));
}

std::int32_t ArchiveReader::ReadI32() {
    return static_cast<std::int32_t>(ReadU32());
}

float ArchiveReader::ReadF32() {
    return std::bit_cast<float>(ReadU32());
}

void ArchiveReader::ReadBytes(std::span<std::uint8_t> out) {
    std::size_t done = 0;
    while (done < out.size()) {
        const std::size_t chunk = std::min<std::size_t>(out.size() - done, kFileBuffer);
        std::memcpy(out.data() + done, Take(chunk), chunk);
        done += chunk;
    }
}

void ArchiveReader::RequireRoom(std::uint64_t count, std::uint64_t minBytesEach) const {
    // Each factor is below 2^32, so the product cannot overflow 64 bits.
    if (count * minBytesEach > Remaining())
        FailRead();
}

std::uint32_t ArchiveReader::ReadCount(std::uint64_t minBytesEach) {
    const std::int32_t count = ReadI32();
    if (count < 0)
        FailFormat();
    RequireRoom(static_cast<std::uint64_t>(count), minBytesEach);
    return static_cast<std::uint32_t>(count);
}

std::uint64_t ArchiveReader::ReadLength() {
    const std::uint8_t b = ReadU8();
    if (b < 0xFF)
        return b;
    const std::uint16_t w = ReadU16();
    if (w < 0xFFFE)
        return w;
    if (w == 0xFFFF)
        return ReadU32();
    return UINT64_MAX; // the UTF-16 mark, handled by the caller
}

std::string ArchiveReader::ReadString() {
    std::uint64_t length = ReadLength();
    if (length != UINT64_MAX) {
        RequireRoom(length, 1);
        const auto* p = reinterpret_cast<const char*>(Take(static_cast<std::size_t>(length)));
        return Cp1252ToUtf8(std::string_view(p, static_cast<std::size_t>(length)));
    }
    length = ReadLength();
    if (length == UINT64_MAX)
        FailFormat();
    RequireRoom(length, 2);
    std::u16string wide(static_cast<std::size_t>(length), u'\0');
    for (auto& c : wide)
        c = static_cast<char16_t>(ReadU16());
    return Utf16ToUtf8(wide);
}

ArchiveWriter::ArchiveWriter() = default;

ArchiveWriter::ArchiveWriter(std::FILE* file) : m_file(file) {
    m_buffer.reserve(kWriteBuffer);
}

ArchiveWriter::~ArchiveWriter() = default;

void ArchiveWriter::Put(const void* data, std::size_t n) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    if (m_file && m_buffer.size() + n > kWriteBuffer) {
        Flush();
        if (n >= kWriteBuffer) {
            if (std::fwrite(p, 1, n, m_file) != n)
                m_failed = true;
            m_flushed += n;
            return;
        }
    }
    m_buffer.insert(m_buffer.end(), p, p + n);
}

bool ArchiveWriter::Flush() {
    if (m_file && !m_buffer.empty()) {
        if (std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_file) != m_buffer.size())
            m_failed = true;
        m_flushed += m_buffer.size();
        m_buffer.clear();
    }
    if (m_file && std::fflush(m_file) != 0)
        m_failed = true;
    if (m_file && m_flushHook && !m_failed)
        m_flushHook(m_flushed);
    return !m_failed;
}

std::uint8_t* ArchiveWriter::Extend(std::size_t n) {
    if (m_file && m_buffer.size() + n > kWriteBuffer)
        Flush();
    const std::size_t at = m_buffer.size();
    m_buffer.resize(at + n);
    return m_buffer.data() + at;
}

void ArchiveWriter::ExpectMore(std::size_t n) {
    if (!m_file && m_buffer.capacity() - m_buffer.size() < n) {
        m_buffer.reserve(m_buffer.size() + n);
        AdviseHugePages(m_buffer.data(), m_buffer.capacity());
    }
}

void ArchiveWriter::WriteU32(std::uint32_t v) {
    std::uint8_t b[4];
    StoreLe32(b, v);
    Put(b, 4);
}

void ArchiveWriter::WriteI32(std::int32_t v) {
    WriteU32(static_cast<std::uint32_t>(v));
}

void ArchiveWriter::WriteF32(float v) {
    WriteU32(std::bit_cast<std::uint32_t>(v));
}

void ArchiveWriter::WriteBytes(std::span<const std::uint8_t> bytes) {
    Put(bytes.data(), bytes.size());
}

void ArchiveWriter::WriteLength(std::uint64_t length) {
    if (length < 0xFF) {
        const std::uint8_t b = static_cast<std::uint8_t>(length);
        Put(&b, 1);
        return;
    }
    const std::uint8_t ff = 0xFF;
    Put(&ff, 1);
    if (length < 0xFFFE) {
        const std::uint8_t w[2] = {static_cast<std::uint8_t>(length),
                                   static_cast<std::uint8_t>(length >> 8)};
        Put(w, 2);
        return;
    }
    const std::uint8_t mark[2] = {0xFF, 0xFF};
    Put(mark, 2);
    WriteU32(static_cast<std::uint32_t>(length));
}

void ArchiveWriter::WriteString(const std::string& utf8) {
    // Most texts are plain ASCII, the same bytes in either form.
    if (IsAscii(utf8)) {
        WriteLength(utf8.size());
        Put(utf8.data(), utf8.size());
        return;
    }
    if (Utf8ToCp1252(utf8, m_text)) {
        WriteLength(m_text.size());
        Put(m_text.data(), m_text.size());
        return;
    }
    const std::u16string wide = Utf8ToUtf16(utf8);
    const std::uint8_t mark[3] = {0xFF, 0xFE, 0xFF};
    Put(mark, 3);
    WriteLength(wide.size());
    for (const char16_t c : wide) {
        const std::uint8_t w[2] = {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8)};
        Put(w, 2);
    }
}
