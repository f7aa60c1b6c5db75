// The fuzz seed corpus: how it is made, and that every seed still behaves.

#include "test_bytes.h"
#include "test_towns.h"
#include "town_generator.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

fs::path SourceDir() {
    const char* dir = std::getenv("VELTRIX_SOURCE_DIR");
    return dir ? fs::path(dir) : fs::path(VELTRIX_SOURCE_DIR_DEFAULT);
}

Bytes TextSeed(const std::string& country) {
    MapStore store;
    store.m_strCountry = country;
    store.m_strState = "Estado";
    return WriteToBytes(store);
}

// Reads, writes, reads again and writes again: both writes must agree.
void ExpectStableRoundTrip(const Bytes& bytes, const std::string& name) {
    Problem error;
    Bytes picture;
    auto first = ReadFromBytes(bytes, error, {}, &picture);
    if (!first)
        return;
    const Bytes once = WriteToBytes(*first, picture);
    Bytes picture2;
    auto second = ReadFromBytes(once, error, {}, &picture2);
    ASSERT_NE(second, nullptr) << name << ": " << error.Text();
    EXPECT_EQ(WriteToBytes(*second, picture2), once) << name;
}

} // namespace

// Run with VELTRIX_WRITE_SEEDS=<folder> to (re)make the seed corpus.
TEST(SeedCorpus, Write) {
    const char* target = std::getenv("VELTRIX_WRITE_SEEDS");
    if (!target)
        GTEST_SKIP() << "VELTRIX_WRITE_SEEDS not set";
    const fs::path dir(target);
    fs::create_directories(dir);

    MapStore empty;
    WriteFile(dir / "empty.map", WriteToBytes(empty));
    WriteFile(dir / "every_kind.map", WriteToBytes(*BuildEveryKindMap(), {0xFF, 0xD8, 0xFF}));
    WriteFile(dir / "version0.map", HandMadeFile(std::nullopt, 10));
    WriteFile(dir / "version1_handmade.map", HandMadeFile(1, 2));
    WriteFile(dir / "version5.map", HandMadeFile(5, 1));
    WriteFile(dir / "version_negative.map", HandMadeFile(-3, 0));
    for (std::size_t n : {254u, 255u, 0xFFFDu, 0xFFFEu})
        WriteFile(dir / ("text_" + std::to_string(n) + ".map"), TextSeed(Repeat('a', n)));
    WriteFile(dir / "text_utf16.map", TextSeed("Ciudad 東京 €"));

    MapStore town = GenerateTown({.blocks = 40, .seed = 3});
    if (!town.m_blocks.empty())
        WriteFile(dir / "town40.map", WriteToBytes(town));
}

TEST(SeedCorpus, EverySeedReadsAndRoundTrips) {
    const fs::path dir = SourceDir() / "fuzz" / "corpus" / "map";
    ASSERT_TRUE(fs::is_directory(dir)) << dir;
    int seeds = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        const Bytes bytes = ReadFile(entry.path());
        Problem error;
        EXPECT_NE(ReadFromBytes(bytes, error), nullptr) << entry.path() << ": " << error.Text();
        ExpectStableRoundTrip(bytes, entry.path().string());
        ++seeds;
    }
    EXPECT_GE(seeds, 10);
}
