// Saving through a temporary file and a rename, failing at every step without
// harm; the temporary name search; opening a map puts its picture aside.

#include "test_maps.h"
#include "unique_name.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

enum class FailAt { Nothing, Create, Write, Sync, Link, Rename };

// Real file operations, except the one told to fail.
class FailingOps : public FileOps {
public:
    explicit FailingOps(FailAt at) : m_at(at) {}

    std::FILE* CreateNew(const std::string& path) override {
        m_created = path;
        if (m_at == FailAt::Create)
            return nullptr;
        std::FILE* real = FileOps::CreateNew(path);
        if (m_at != FailAt::Write || !real)
            return real;
        // The file exists, but every byte written to it is refused.
        std::fclose(real);
        return std::fopen("/dev/full", "wb");
    }
    bool SyncAndClose(std::FILE* file) override {
        const bool ok = FileOps::SyncAndClose(file);
        return m_at == FailAt::Sync ? false : ok;
    }
    bool Link(const std::string& from, const std::string& to) override {
        return m_at == FailAt::Link ? false : FileOps::Link(from, to);
    }
    bool Rename(const std::string& from, const std::string& to) override {
        return m_at == FailAt::Rename ? false : FileOps::Rename(from, to);
    }

    std::string m_created;

private:
    FailAt m_at;
};

struct SaveFixture : testing::Test {
    ScratchDir dir;
    std::string mapPath = dir.str() + "pueblo.map";
    std::string picturePath = dir.str() + "pueblo.jpg";
    Bytes oldContent;
    std::unique_ptr<MapStore> store = BuildEveryKindMap();

    void SetUp() override {
        MapStore old;
        old.m_strTown = "Versión anterior";
        oldContent = WriteToBytes(old);
        WriteFile(mapPath, oldContent);
        store->MarkChanged();
    }
};

struct SaveFailure {
    const char* name;
    FailAt at;
};

class SaveFailures : public SaveFixture, public testing::WithParamInterface<SaveFailure> {};

} // namespace

TEST_P(SaveFailures, LeaveTheOldMapWholeAndNoTemporaryFile) {
    FailingOps ops(GetParam().at);
    std::string error;
    EXPECT_FALSE(SaveMapFile(*store, mapPath, picturePath, error, ops));
    EXPECT_EQ(error, "- Error al guardar -");
    EXPECT_EQ(ReadFile(mapPath), oldContent);
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"pueblo.map"}));
    EXPECT_TRUE(store->IsChanged());
    EXPECT_EQ(store->m_nFileVersion, 0);
    if (GetParam().at != FailAt::Create) {
        EXPECT_EQ(fs::path(ops.m_created).parent_path(), dir.path());
        EXPECT_TRUE(fs::path(ops.m_created).filename().string().starts_with("KR"));
    }
}

INSTANTIATE_TEST_SUITE_P(MapSave, SaveFailures,
                         testing::Values(SaveFailure{"TemporaryNotCreated", FailAt::Create},
                                         SaveFailure{"WriteRefused", FailAt::Write},
                                         SaveFailure{"SyncFails", FailAt::Sync},
                                         SaveFailure{"BackupNotMade", FailAt::Link},
                                         SaveFailure{"RenameRefused", FailAt::Rename}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SaveFixture, BackupNameTakenStopsTheSaveAndKeepsBothFiles) {
    const Bytes userBackup{'m', 'i', 'o'};
    WriteFile(dir.path() / "pueblo.bak", userBackup);
    std::string error;
    EXPECT_FALSE(SaveMapFile(*store, mapPath, picturePath, error));
    EXPECT_EQ(error, "- Error al guardar -");
    EXPECT_EQ(ReadFile(mapPath), oldContent);
    EXPECT_EQ(ReadFile(dir.path() / "pueblo.bak"), userBackup);
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"pueblo.bak", "pueblo.map"}));
}

TEST_F(SaveFixture, SuccessfulSaveLeavesOnlyTheMap) {
    std::string error;
    ASSERT_TRUE(SaveMapFile(*store, mapPath, picturePath, error)) << error;
    EXPECT_EQ(error, "");
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"pueblo.map"}));
    EXPECT_EQ(ReadFile(mapPath), WriteToBytes(*store));
    // Whether the store now counts as saved is its owner's business.
    EXPECT_TRUE(store->IsChanged());
    // A second save over the first works as well.
    ASSERT_TRUE(SaveMapFile(*store, mapPath, picturePath, error)) << error;
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"pueblo.map"}));
}

TEST_F(SaveFixture, SaveOfANewMapNeedsNoOldFile) {
    std::string error;
    const std::string fresh = dir.str() + "nuevo.map";
    ASSERT_TRUE(SaveMapFile(*store, fresh, picturePath, error)) << error;
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"nuevo.map", "pueblo.map"}));
}

TEST_F(SaveFixture, PictureFileIsCarriedIntoTheMap) {
    std::string error;
    const Bytes picture{0xFF, 0xD8, 0xFF, 0xD9};
    WriteFile(picturePath, picture);
    ASSERT_TRUE(SaveMapFile(*store, mapPath, picturePath, error)) << error;
    Bytes read;
    ASSERT_NE(ReadFromBytes(ReadFile(mapPath), error, {}, &read), nullptr) << error;
    EXPECT_EQ(read, picture);

    // An empty picture file and a missing one both give length 0.
    WriteFile(picturePath, {});
    ASSERT_TRUE(SaveMapFile(*store, mapPath, picturePath, error)) << error;
    const Bytes withEmpty = ReadFile(mapPath);
    fs::remove(picturePath);
    ASSERT_TRUE(SaveMapFile(*store, mapPath, picturePath, error)) << error;
    EXPECT_EQ(ReadFile(mapPath), withEmpty);
    EXPECT_EQ(Bytes(withEmpty.end() - 4, withEmpty.end()), (Bytes{0, 0, 0, 0}));
}

TEST_F(SaveFixture, UnreadablePictureIsNotDropped) {
    fs::create_directory(picturePath); // exists, but is no file
    std::string error;
    EXPECT_FALSE(SaveMapFile(*store, mapPath, picturePath, error));
    EXPECT_EQ(ReadFile(mapPath), oldContent);
}

TEST_F(SaveFixture, AllTemporaryNamesTakenFailsCleanly) {
    for (int i = 1; i <= 999; ++i) {
        std::string n = std::to_string(i);
        PadLeftWithZeros(n, 6);
        WriteFile(dir.path() / ("KR" + n + ".tmap"), {});
    }
    std::string error;
    EXPECT_FALSE(SaveMapFile(*store, mapPath, picturePath, error));
    EXPECT_EQ(error, "- Error al guardar -");
    EXPECT_EQ(ReadFile(mapPath), oldContent);
    EXPECT_EQ(dir.Entries().size(), 1000u);
}

// ---- temporary names ----

TEST(UniqueName, PadLeftWithZeros) {
    struct Case {
        const char* in;
        int width;
        const char* out;
    };
    for (const Case& c :
         {Case{"7", 6, "000007"}, Case{"1234567", 6, "1234567"}, Case{"123456", 6, "123456"},
          Case{"", 3, "000"}, Case{"5", 0, "5"}, Case{"5", -2, "5"}}) {
        std::string s = c.in;
        PadLeftWithZeros(s, c.width);
        EXPECT_EQ(s, c.out) << c.in << " at " << c.width;
    }
}

TEST(UniqueName, FirstFreeNameInTheFolder) {
    ScratchDir dir;
    EXPECT_EQ(MakeUniqueFileName(dir.str(), ".tmap", "KR"), "KR000001.tmap");
    WriteFile(dir.path() / "KR000002.tmap", {});
    EXPECT_EQ(MakeUniqueFileName(dir.str(), ".tmap", "KR"), "KR000001.tmap");
    WriteFile(dir.path() / "KR000001.tmap", {});
    EXPECT_EQ(MakeUniqueFileName(dir.str(), ".tmap", "KR"), "KR000003.tmap");
    // A link to nothing still takes the name.
    fs::create_symlink(dir.path() / "nowhere", dir.path() / "KR000003.tmap");
    EXPECT_EQ(MakeUniqueFileName(dir.str(), ".tmap", "KR"), "KR000004.tmap");
    EXPECT_EQ(MakeUniqueFileName(dir.str(), ".x", "LONGNAME"), "LONGNAME1.x");
    EXPECT_EQ(MakeUniqueFileName(dir.str(), ".x", "LONGERNAME"), "LONGERNAME1.x");
    EXPECT_EQ(MakeUniqueFileName(dir.str(), "", ""), "00000001");
}

// ---- opening ----

namespace {

struct OpenFixture : testing::Test {
    ScratchDir dir;
    std::string oldTmp;
    bool hadTmp = false;
    void SetUp() override {
        if (const char* t = std::getenv("TMPDIR")) {
            hadTmp = true;
            oldTmp = t;
        }
        setenv("TMPDIR", (dir.path() / "tmp").c_str(), 1);
        fs::create_directory(dir.path() / "tmp");
    }
    void TearDown() override {
        if (hadTmp)
            setenv("TMPDIR", oldTmp.c_str(), 1);
        else
            unsetenv("TMPDIR");
    }
    fs::path Private() const {
        return dir.path() / "tmp" / ("veltrix-" + std::to_string(::getuid()));
    }
};

} // namespace

TEST_F(OpenFixture, PictureGoesToThePrivateFolder) {
    const Bytes picture{0xFF, 0xD8, 1, 2, 3};
    WriteFile(dir.path() / "Monterrey.map", WriteToBytes(*BuildEveryKindMap(), picture));
    std::string error;
    auto store = OpenMapFile(dir.str() + "Monterrey.map", {}, error);
    ASSERT_NE(store, nullptr) << error;
    EXPECT_EQ(store->m_strMapName, "Monterrey");
    EXPECT_TRUE(store->MapLoaded());
    EXPECT_EQ(ReadFile(Private() / "Monterrey.jpg"), picture);
    struct stat st {};
    ASSERT_EQ(::stat(Private().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    // A map without a picture leaves an empty picture file, replacing the old one.
    MapStore bare;
    WriteFile(dir.path() / "Monterrey.map", WriteToBytes(bare));
    ASSERT_NE(OpenMapFile(dir.str() + "Monterrey.map", {}, error), nullptr) << error;
    EXPECT_TRUE(ReadFile(Private() / "Monterrey.jpg").empty());
}

TEST_F(OpenFixture, DamagedMapWritesNoPicture) {
    Bytes bytes = WriteToBytes(*BuildEveryKindMap(), {1, 2, 3});
    bytes.pop_back();
    WriteFile(dir.path() / "roto.map", bytes);
    std::string error;
    EXPECT_EQ(OpenMapFile(dir.str() + "roto.map", {}, error), nullptr);
    EXPECT_EQ(error, "Error inesperado al leer roto.map.");
    EXPECT_FALSE(fs::exists(Private() / "roto.jpg"));
}

TEST_F(OpenFixture, PictureIsNeverWrittenThroughALink) {
    std::string error;
    ASSERT_FALSE(PrivateTempDir(error).empty()) << error;
    const fs::path victim = dir.path() / "victima.txt";
    WriteFile(victim, {'o', 'k'});
    fs::create_symlink(victim, Private() / "Trampa.jpg");
    MapStore store;
    WriteFile(dir.path() / "Trampa.map", WriteToBytes(store, {9, 9, 9}));
    EXPECT_EQ(OpenMapFile(dir.str() + "Trampa.map", {}, error), nullptr);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadFile(victim), (Bytes{'o', 'k'}));
}

TEST_F(OpenFixture, PrivateFolderThatIsALinkIsRefused) {
    fs::create_directory(dir.path() / "elsewhere");
    fs::create_directory_symlink(dir.path() / "elsewhere", Private());
    std::string error;
    EXPECT_EQ(PrivateTempDir(error), "");
    EXPECT_FALSE(error.empty());
}
