#pragma once

// Byte-level reading and writing of map files: little-endian integers and
// floats on any host, and texts in the three length forms plus the UTF-16 form.
// The reader knows how many bytes are left and refuses any count or length that
// could not fit in them before anything is allocated.

#include "problem.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

// The one error a map file can raise; what() is the Spanish text, problem()
// what the user is told.
class MapFileError : public std::runtime_error {
public:
    explicit MapFileError(Problem problem)
        : std::runtime_error(problem.Text()), m_problem(std::move(problem)) {}
    const Problem& problem() const { return m_problem; }

private:
    Problem m_problem;
};

// A little-endian 32-bit word at `p`, on any host: for the archive and for
// readers and writers that take a whole record at once.
inline std::uint32_t LoadLe32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

inline void StoreLe32(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}

// Texts of the two errors people see when a file does not read.
Problem FormatErrorText();                          // "Formato de archivo no esperado."
Problem ReadErrorText(const std::string& fileName); // "Error inesperado al leer %1."

class ArchiveReader {
public:
    // Reads from memory; the bytes must outlive the reader.
    explicit ArchiveReader(std::span<const std::uint8_t> bytes, std::string fileName = {});
    // Reads `size` bytes from an open stream through a buffer of its own.
    ArchiveReader(std::FILE* file, std::uint64_t size, std::string fileName = {});

    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    std::int32_t ReadI32();
    std::uint32_t ReadU32();
    float ReadF32();
    std::uint8_t ReadU8();
    std::uint16_t ReadU16();
    // A text in any of its stored forms, returned as UTF-8.
    std::string ReadString();
    void ReadBytes(std::span<std::uint8_t> out);
    // The next `n` bytes where they lie, valid until the next read: for readers
    // that take a whole record at once.
    std::span<const std::uint8_t> Borrow(std::size_t n) { return {Take(n), n}; }

    std::uint64_t Remaining() const { return m_size - m_consumed; }

    // Reads a signed count and checks that `count` records of at least
    // `minBytesEach` bytes can still follow.
    std::uint32_t ReadCount(std::uint64_t minBytesEach);
    // Checks that a count read otherwise fits.
    void RequireRoom(std::uint64_t count, std::uint64_t minBytesEach) const;

    [[noreturn]] void FailFormat() const;
    [[noreturn]] void FailRead() const;

private:
    // The next `n` bytes: straight from memory or the buffer when they are
    // there, which is nearly every time; through a refill otherwise.
    const std::uint8_t* Take(std::size_t n) {
        if (m_bufferEnd - m_bufferPos >= n) {
            const std::uint8_t* p = m_data + m_bufferPos;
            m_bufferPos += n;
            m_consumed += n;
            return p;
        }
        return Refill(n);
    }
    const std::uint8_t* Refill(std::size_t n);
    std::uint64_t ReadLength();

    std::FILE* m_file = nullptr;
    std::vector<std::uint8_t> m_buffer;
    // What Take serves from: the memory read from, or the file's buffer.
    const std::uint8_t* m_data = nullptr;
    std::size_t m_bufferPos = 0;
    std::size_t m_bufferEnd = 0;
    std::uint64_t m_size = 0;
    std::uint64_t m_consumed = 0;
    std::string m_fileName;
};

class ArchiveWriter {
public:
    // Collects the bytes in memory (Bytes()).
    ArchiveWriter();
    // Writes through a buffer to an open stream; Flush() pushes the rest out.
    explicit ArchiveWriter(std::FILE* file);
    ~ArchiveWriter();

    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;

    void WriteI32(std::int32_t v);
    void WriteU32(std::uint32_t v);
    void WriteF32(float v);
    // Windows-1252 bytes when the code page holds the text, the UTF-16 form otherwise.
    void WriteString(const std::string& utf8);
    void WriteBytes(std::span<const std::uint8_t> bytes);
    // Room for `n` more bytes at the end, to be filled before the next write:
    // for writers that lay out a whole record at once.
    std::uint8_t* Extend(std::size_t n);
    // A hint that about `n` more bytes will follow, so that collecting in
    // memory grows the buffer once.
    void ExpectMore(std::size_t n);

    // False when the stream refused a write at any point.
    bool Flush();
    // Called after every flush to the stream with the bytes flushed so far.
    void SetFlushHook(std::function<void(std::uint64_t)> hook) { m_flushHook = std::move(hook); }
    bool Failed() const { return m_failed; }
    const std::vector<std::uint8_t>& Bytes() const { return m_buffer; }

private:
    void Put(const void* data, std::size_t n);
    void WriteLength(std::uint64_t length);

    std::FILE* m_file = nullptr;
    std::vector<std::uint8_t> m_buffer;
    std::string m_text; // a text's Windows-1252 bytes on their way out
    std::function<void(std::uint64_t)> m_flushHook;
    std::uint64_t m_flushed = 0;
    bool m_failed = false;
};
