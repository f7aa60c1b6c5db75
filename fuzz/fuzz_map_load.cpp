// Any bytes given as a map file must either read completely or be refused with
// a message: no crash, no leak, no read outside the input. The same bytes go
// through the memory reader and through the buffered stream reader the editor
// opens files with, and both must agree.

#include "archive.h"
#include "map_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

namespace {

// Reads through `in`; the error text when the map is refused, empty otherwise.
std::string TryRead(ArchiveReader& in, std::unique_ptr<MapStore>& store,
                    std::vector<std::uint8_t>& picture) {
    try {
        store = ReadMap(in, MapCounters{}, picture);
        return {};
    } catch (const MapFileError& e) {
        std::string text = e.what();
        if (text.empty())
            std::abort(); // a refusal must always say something
        return text;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::unique_ptr<MapStore> fromMemory;
    std::vector<std::uint8_t> pictureFromMemory;
    ArchiveReader memoryReader(std::span<const std::uint8_t>(data, size), "fuzz.map");
    const std::string memoryError = TryRead(memoryReader, fromMemory, pictureFromMemory);

    if (size == 0)
        return 0; // fmemopen refuses an empty buffer
    std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (!file)
        return 0;
    std::unique_ptr<MapStore> fromStream;
    std::vector<std::uint8_t> pictureFromStream;
    {
        ArchiveReader streamReader(file, size, "fuzz.map");
        const std::string streamError = TryRead(streamReader, fromStream, pictureFromStream);
        if (memoryError != streamError || pictureFromMemory != pictureFromStream)
            std::abort();
    }
    std::fclose(file);
    if ((fromMemory == nullptr) != (fromStream == nullptr))
        std::abort();
    if (fromMemory && (fromMemory->m_blocks.size() != fromStream->m_blocks.size() ||
                       fromMemory->m_counters != fromStream->m_counters))
        std::abort();
    return 0;
}
