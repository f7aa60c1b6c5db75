#include "test_bytes.h"

#include "archive.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

Bytes WriteToBytes(const MapStore& store, const Bytes& picture) {
    ArchiveWriter out;
    WriteMap(out, store, picture);
    return out.Bytes();
}

std::unique_ptr<MapStore> ReadFromBytes(const Bytes& bytes, Problem& error,
                                        const MapCounters& carried, Bytes* picture) {
    Bytes local;
    try {
        ArchiveReader in(bytes, "prueba.map");
        return ReadMap(in, carried, picture ? *picture : local);
    } catch (const MapFileError& e) {
        error = e.problem();
        return nullptr;
    }
}

std::string Repeat(char c, std::size_t n) {
    return std::string(n, c);
}

void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
    if (!f)
        throw std::runtime_error("cannot write " + path.string());
}

Bytes ReadFile(const std::filesystem::path& path) {
    std::ifstream f(path, std::ios::binary);
    if (!f)
        throw std::runtime_error("cannot read " + path.string());
    return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}
