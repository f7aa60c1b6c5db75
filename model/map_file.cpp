#include "map_file.h"

#include "archive.h"
#include "file_guard.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Smallest stored record sizes (texts of length 0), checked against what is
// left of the file before a list is made.
constexpr std::uint64_t kMinBlock = 16;
constexpr std::uint64_t kMinLabel = 12 + 1;
constexpr std::uint64_t kMinStreet = 4 + 1 + 4;
constexpr std::uint64_t kMinPlace = 1 + 12;
constexpr std::uint64_t kMinRoute = kMinStreet + 8;
constexpr std::uint64_t kMinZone = 1 + 1 + 4;

// The smallest rest of a map after its blocks: the counts of the labels, the
// five lists and the directory, the length of the picture, and the four
// counters of a version 1 file.
constexpr std::uint64_t kMinTail = 8 * 4;
constexpr std::uint64_t kMinCounters = 4 * 4;

std::uint64_t TailBytes(std::int32_t version) {
    return kMinTail + (version == 1 ? kMinCounters : 0);
}

// Reads what follows the three header texts: the version, when the first
// number is below 10 (a file without one starts with its block count, which is
// never below 10), and the block count, which must leave room for the blocks
// and the smallest rest of a map.
std::uint32_t ReadVersionAndBlockCount(ArchiveReader& in, std::int32_t& version) {
    std::int32_t first = in.ReadI32();
    if (first < 10) {
        version = first;
        first = in.ReadI32();
    }
    if (first < 0)
        in.FailFormat();
    const auto blockCount = static_cast<std::uint32_t>(first);
    if (blockCount * kMinBlock + TailBytes(version) > in.Remaining())
        in.FailRead();
    return blockCount;
}

// Outline points are stored as the host keeps them on a little-endian machine,
// so there they are copied as they are; elsewhere each value is turned round.
void PointsFromFile(const std::uint8_t* bytes, FloatPoint* points, std::size_t count) {
    std::memcpy(points, bytes, count * sizeof(FloatPoint));
    if constexpr (std::endian::native != std::endian::little) {
        auto* words = reinterpret_cast<std::uint32_t*>(points);
        for (std::size_t i = 0; i < 2 * count; ++i)
            words[i] = LoadLe32(reinterpret_cast<const std::uint8_t*>(&words[i]));
    }
}

void PointsToFile(const FloatPoint* points, std::uint8_t* bytes, std::size_t count) {
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(bytes, points, count * sizeof(FloatPoint));
    } else {
        for (std::size_t i = 0; i < count; ++i) {
            StoreLe32(bytes + 8 * i, std::bit_cast<std::uint32_t>(points[i].x));
            StoreLe32(bytes + 8 * i + 4, std::bit_cast<std::uint32_t>(points[i].y));
        }
    }
}

// The blocks of a map in one pass: each header is taken whole, each outline is
// copied straight into the store's point pool. The pool is sized once, for the
// most points the rest of the file could hold, and trimmed at the end, so a
// damaged count never allocates more than the file could fill.
void ReadBlocks(ArchiveReader& in, std::uint32_t count, std::uint64_t tail, MapStore& store) {
    store.m_blocks.reserve(count);
    AdviseHugePages(store.m_blocks.data(), count * sizeof(CmBlock));
    const std::uint64_t fixed = std::uint64_t{count} * kMinBlock + tail;
    const std::uint64_t room = in.Remaining() > fixed ? (in.Remaining() - fixed) / kPointBytes : 0;
    store.m_blockPoints.Reserve(
        static_cast<std::size_t>(std::min<std::uint64_t>(room, CPointPool::kMaxPoints)));
    MapRect bounds = store.m_rcBlocks;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::int32_t n = 0, type = 0, reserved = 0;
        float scale = 0;
        if (in.Remaining() >= kMinBlock) {
            const std::uint8_t* h = in.Borrow(kMinBlock).data();
            n = static_cast<std::int32_t>(LoadLe32(h));
            type = static_cast<std::int32_t>(LoadLe32(h + 4));
            scale = std::bit_cast<float>(LoadLe32(h + 8));
            reserved = static_cast<std::int32_t>(LoadLe32(h + 12));
            if (n < 0)
                in.FailFormat();
        } else {
            // Cut short inside a header: fail exactly where the field reads would.
            n = in.ReadI32();
            if (n < 0)
                in.FailFormat();
            in.ReadI32();
            in.ReadF32();
            in.ReadI32();
        }
        in.RequireRoom(static_cast<std::uint64_t>(n), kPointBytes);
        CmBlock block;
        block.m_nFirstPoint = static_cast<std::uint32_t>(store.m_blockPoints.size());
        block.m_nPoints = static_cast<std::uint32_t>(n);
        FloatPoint* points = store.m_blockPoints.Append(static_cast<std::size_t>(n));
        std::size_t done = 0;
        while (done < block.m_nPoints) {
            // Through the reader's buffer a piece at a time, for outlines longer than it.
            const std::size_t piece = std::min<std::size_t>(block.m_nPoints - done, 8192);
            PointsFromFile(in.Borrow(piece * kPointBytes).data(), points + done, piece);
            done += piece;
        }
        block.m_fScale = scale;
        block.m_nReserved = reserved;
        block.SetType(type);
        block.SetId(i + 1);
        bounds = UnionRect(bounds, BlockShape({points, block.m_nPoints}).GetBounds());
        store.m_blocks.push_back(block);
    }
    store.m_blockPoints.ShrinkToFit();
    store.m_rcBlocks = bounds;
}

// About the size of the file a store makes (texts counted as their UTF-8
// bytes), so that writing into memory sizes its buffer once.
std::uint64_t ExpectedBytes(const MapStore& store, std::size_t pictureBytes) {
    std::uint64_t bytes = 256 + pictureBytes;
    for (const CmBlock& block : store.m_blocks)
        bytes += kMinBlock + kPointBytes * store.Outline(block).size();
    for (const CmStname& label : store.m_labels)
        bytes += kMinLabel + label.m_strText.size();
    for (const auto& street : store.m_listStreets)
        bytes += kMinStreet + street->m_strName.size() + kPointBytes * street->m_points.size();
    for (const auto& route : store.m_listRoutes) {
        bytes += kMinRoute + route->m_strName.size() + kPointBytes * route->m_points.size();
        for (const Station& s : route->m_stations)
            bytes += kPointBytes + 1 + s.name.size();
    }
    for (const auto& place : store.m_listReferences)
        bytes += kMinPlace + place->m_strName.size();
    for (const auto& place : store.m_listColonies)
        bytes += kMinPlace + place->m_strName.size();
    for (const auto& zone : store.m_listZones)
        bytes += kMinZone + zone->m_strName.size() + zone->m_strNotes.size() +
                 4 * zone->m_blockIds.size();
    for (const auto& category : store.m_directory.m_listCategories) {
        bytes += 5 + category->m_strName.size();
        for (const auto& b : category->m_listBusinesses)
            bytes += 32 + b->m_strName.size() + b->m_strComments.size() + b->m_strPhone.size() +
                     b->m_strExtra1.size() + b->m_strExtra2.size() + b->m_strExtra3.size();
    }
    return bytes;
}

void WriteBlocks(ArchiveWriter& out, const MapStore& store) {
    out.WriteI32(static_cast<std::int32_t>(store.m_blocks.size()));
    for (const CmBlock& block : store.m_blocks) {
        const std::span<const FloatPoint> outline = store.Outline(block);
        std::uint8_t* at = out.Extend(kMinBlock + kPointBytes * outline.size());
        StoreLe32(at, static_cast<std::uint32_t>(outline.size()));
        StoreLe32(at + 4, static_cast<std::uint32_t>(block.m_nType));
        StoreLe32(at + 8, std::bit_cast<std::uint32_t>(block.m_fScale));
        StoreLe32(at + 12, static_cast<std::uint32_t>(block.m_nReserved));
        PointsToFile(outline.data(), at + kMinBlock, outline.size());
    }
}

template <typename T>
void ReadList(ArchiveReader& in, std::uint64_t minBytes, const ReadContext& ctx,
              std::vector<std::unique_ptr<T>>& list) {
    const std::uint32_t count = in.ReadCount(minBytes);
    list.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        auto item = std::make_unique<T>();
        if constexpr (requires { item->Read(in, ctx); })
            item->Read(in, ctx);
        else
            item->Read(in);
        list.push_back(std::move(item));
    }
}

template <typename T>
void WriteListByName(ArchiveWriter& out, const std::vector<std::unique_ptr<T>>& list) {
    out.WriteI32(static_cast<std::int32_t>(list.size()));
    for (std::size_t i : MapStore::NameOrder(list))
        list[i]->Write(out);
}

std::string FileNameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f)
            std::fclose(f);
    }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Opens a regular file for reading and tells its size; `refusal` says why
// something else with that name (a named pipe, a device) is not read.
FilePtr OpenForReading(const std::string& path, std::uint64_t& size, Problem& refusal) {
    const int fd = OpenRegularFile(path, refusal);
    if (fd < 0)
        return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        return nullptr;
    }
    size = static_cast<std::uint64_t>(st.st_size);
    FilePtr f(::fdopen(fd, "rb"));
    if (!f)
        ::close(fd);
    return f;
}

} // namespace

std::unique_ptr<MapStore> ReadMap(ArchiveReader& in, const MapCounters& carried,
                                  std::vector<std::uint8_t>& picture) {
    auto store = std::make_unique<MapStore>();
    store->m_counters = carried;
    store->m_strCountry = in.ReadString();
    store->m_strState = in.ReadString();
    store->m_strTown = in.ReadString();
    store->m_strTitle =
        MapStore::MakeTitle(store->m_strTown, store->m_strState, store->m_strCountry);

    const std::uint32_t blockCount = ReadVersionAndBlockCount(in, store->m_nFileVersion);

    ReadContext ctx{store->m_nFileVersion, store->m_counters};
    ReadBlocks(in, blockCount, TailBytes(store->m_nFileVersion), *store);

    const std::uint32_t labelCount = in.ReadCount(kMinLabel);
    store->m_labels.resize(labelCount);
    TextInterner texts;
    for (auto& label : store->m_labels)
        label.Read(in, texts);

    ReadList(in, kMinStreet, ctx, store->m_listStreets);
    ReadList(in, kMinPlace, ctx, store->m_listReferences);
    ReadList(in, kMinRoute, ctx, store->m_listRoutes);
    store->m_directory.Read(in, ctx);
    ReadList(in, kMinPlace, ctx, store->m_listColonies);
    ReadList(in, kMinZone, ctx, store->m_listZones);

    if (store->m_nFileVersion == 1) {
        store->m_counters.business = in.ReadU32();
        store->m_counters.route = in.ReadU32();
        store->m_counters.zone = in.ReadU32();
        store->m_counters.spare = in.ReadU32();
    }

    const std::int32_t pictureLength = in.ReadI32();
    if (pictureLength < 0)
        in.FailFormat();
    in.RequireRoom(static_cast<std::uint64_t>(pictureLength), 1);
    picture.assign(static_cast<std::size_t>(pictureLength), 0);
    in.ReadBytes(picture);
    return store;
}

void WriteMap(ArchiveWriter& out, const MapStore& store, std::span<const std::uint8_t> picture) {
    out.ExpectMore(static_cast<std::size_t>(ExpectedBytes(store, picture.size())));
    out.WriteString(store.m_strCountry);
    out.WriteString(store.m_strState);
    out.WriteString(store.m_strTown);
    out.WriteI32(1);
    WriteBlocks(out, store);
    out.WriteI32(static_cast<std::int32_t>(store.m_labels.size()));
    for (const auto& label : store.m_labels)
        label.Write(out);

    WriteListByName(out, store.m_listStreets);
    WriteListByName(out, store.m_listReferences);
    WriteListByName(out, store.m_listRoutes);
    store.m_directory.Write(out);
    WriteListByName(out, store.m_listColonies);
    WriteListByName(out, store.m_listZones);

    out.WriteU32(store.m_counters.business);
    out.WriteU32(store.m_counters.route);
    out.WriteU32(store.m_counters.zone);
    out.WriteU32(store.m_counters.spare);
    out.WriteI32(static_cast<std::int32_t>(picture.size()));
    out.WriteBytes(picture);
}

bool ReadMapHeader(const std::string& path, MapHeader& header, Problem& error) {
    std::uint64_t size = 0;
    Problem refusal;
    FilePtr f = OpenForReading(path, size, refusal);
    if (!f) {
        error = refusal ? refusal : ReadErrorText(FileNameOf(path));
        return false;
    }
    try {
        ArchiveReader in(f.get(), size, FileNameOf(path));
        header.country = in.ReadString();
        header.state = in.ReadString();
        header.town = in.ReadString();
        // Three texts alone are easily found in any bytes; the numbers after
        // them must make sense too before the file is taken for a map.
        std::int32_t version = 0;
        ReadVersionAndBlockCount(in, version);
        return true;
    } catch (const MapFileError& e) {
        error = e.problem();
        return false;
    }
}

std::string MapNameFromPath(const std::string& path) {
    std::string name = FileNameOf(path);
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".map") == 0)
        name.resize(name.size() - 4);
    return name;
}

std::unique_ptr<MapStore> LoadMapFile(const std::string& path, const MapCounters& carried,
                                      std::vector<std::uint8_t>& picture, Problem& error) {
    std::uint64_t size = 0;
    Problem refusal;
    FilePtr f = OpenForReading(path, size, refusal);
    if (!f) {
        error = refusal ? refusal : ReadErrorText(FileNameOf(path));
        return nullptr;
    }
    try {
        ArchiveReader in(f.get(), size, FileNameOf(path));
        return ReadMap(in, carried, picture);
    } catch (const MapFileError& e) {
        error = e.problem();
    } catch (const std::bad_alloc&) {
        error = {MODEL_NOOP("Problem", "No hay memoria suficiente para abrir %1."),
                 {FileNameOf(path)}};
    }
    picture.clear();
    return nullptr;
}

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes, Problem* refusal) {
    std::uint64_t size = 0;
    Problem notAFile;
    FilePtr f = OpenForReading(path, size, notAFile);
    if (refusal)
        *refusal = notAFile;
    if (!f || size > 0x7FFFFFFF)
        return false;
    bytes.resize(static_cast<std::size_t>(size));
    return bytes.empty() || std::fread(bytes.data(), 1, bytes.size(), f.get()) == bytes.size();
}
