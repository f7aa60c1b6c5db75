#include "map_file.h"

#include "archive.h"

#include <cerrno>
#include <cstdlib>
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
    const std::uint64_t tail = kMinTail + (version == 1 ? kMinCounters : 0);
    if (blockCount * kMinBlock + tail > in.Remaining())
        in.FailRead();
    return blockCount;
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

// Opens a regular file for reading and tells its size.
FilePtr OpenForReading(const std::string& path, std::uint64_t& size) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
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
    store->m_blocks.resize(blockCount);
    std::uint32_t nextId = 1;
    for (auto& block : store->m_blocks) {
        block.Read(in);
        store->m_rcBlocks = UnionRect(store->m_rcBlocks, block.GetBounds());
        block.SetId(nextId++);
    }

    const std::uint32_t labelCount = in.ReadCount(kMinLabel);
    store->m_labels.resize(labelCount);
    for (auto& label : store->m_labels)
        label.Read(in);

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
    out.WriteString(store.m_strCountry);
    out.WriteString(store.m_strState);
    out.WriteString(store.m_strTown);
    out.WriteI32(1);
    out.WriteI32(static_cast<std::int32_t>(store.m_blocks.size()));
    for (const auto& block : store.m_blocks)
        block.Write(out);
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

bool ReadMapHeader(const std::string& path, MapHeader& header, std::string& error) {
    std::uint64_t size = 0;
    FilePtr f = OpenForReading(path, size);
    if (!f) {
        error = ReadErrorText(FileNameOf(path));
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
        error = e.what();
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
                                      std::vector<std::uint8_t>& picture, std::string& error) {
    std::uint64_t size = 0;
    FilePtr f = OpenForReading(path, size);
    if (!f) {
        error = ReadErrorText(FileNameOf(path));
        return nullptr;
    }
    try {
        ArchiveReader in(f.get(), size, FileNameOf(path));
        return ReadMap(in, carried, picture);
    } catch (const MapFileError& e) {
        error = e.what();
    } catch (const std::bad_alloc&) {
        error = "No hay memoria suficiente para abrir " + FileNameOf(path) + ".";
    }
    picture.clear();
    return nullptr;
}

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    std::uint64_t size = 0;
    FilePtr f = OpenForReading(path, size);
    if (!f || size > 0x7FFFFFFF)
        return false;
    bytes.resize(static_cast<std::size_t>(size));
    return bytes.empty() || std::fread(bytes.data(), 1, bytes.size(), f.get()) == bytes.size();
}
