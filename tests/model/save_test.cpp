// Saving through a temporary file and a rename, failing at every step without
// harm, with and without hard links; the temporary name search.

#include "map_lock.h"
#include "map_save.h"
#include "scratch_dir.h"
#include "test_bytes.h"
#include "test_towns.h"
#include "unique_name.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

enum class Step { Nothing, Create, Write, Sync, Link, MoveAside, Rename, PutBack };

// Real file operations, except the one told to fail; `noLinks` makes the disk
// one without hard links, as FAT is.
class FailingOps : public FileOps {
public:
    FailingOps(Step at, int err, bool noLinks) : m_at(at), m_err(err), m_noLinks(noLinks) {}

    int CreateNew(const std::string& path, unsigned mode, std::FILE*& file) override {
        m_created = path;
        if (m_at == Step::Create)
            return m_err;
        const int err = FileOps::CreateNew(path, mode, file);
        if (m_at != Step::Write || err != 0)
            return err;
        // The file exists, but every byte written to it is refused.
        std::fclose(file);
        file = std::fopen("/dev/full", "wb");
        return 0;
    }
    int SyncAndClose(std::FILE* file) override {
        const int err = FileOps::SyncAndClose(file);
        return m_at == Step::Sync ? m_err : err;
    }
    int Link(const std::string& from, const std::string& to) override {
        if (m_noLinks)
            return EPERM;
        return m_at == Step::Link ? m_err : FileOps::Link(from, to);
    }
    int Rename(const std::string& from, const std::string& to) override {
        ++m_renames;
        // Without links the first rename moves the map aside, the second puts
        // the new file in place and a third, after a failure, puts the map back.
        const Step step = !m_noLinks       ? Step::Rename
                          : m_renames == 1 ? Step::MoveAside
                          : m_renames == 2 ? Step::Rename
                                           : Step::PutBack;
        if (m_at == step || (m_at == Step::PutBack && step == Step::Rename))
            return m_err;
        return FileOps::Rename(from, to);
    }

    std::string m_created;

private:
    Step m_at;
    int m_err;
    bool m_noLinks;
    int m_renames = 0;
};

struct SaveFixture : testing::Test {
    ScratchDir dir;
    std::string mapPath = dir.str() + "pueblo.map";
    Bytes picture{0xFF, 0xD8, 0xFF, 0xD9};
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
    Step at;
    int err;
    bool noLinks;
    const char* reason; // a part of the message
};

class SaveFailures : public SaveFixture, public testing::WithParamInterface<SaveFailure> {};

} // namespace

TEST_P(SaveFailures, LeaveTheOldMapWholeAndSayWhy) {
    const SaveFailure& c = GetParam();
    FailingOps ops(c.at, c.err, c.noLinks);
    Problem error;
    EXPECT_FALSE(SaveMapFile(*store, mapPath, picture, error, ops));
    EXPECT_NE(error.Text().find(c.reason), std::string::npos) << error.Text();
    EXPECT_EQ(ReadFile(mapPath), oldContent);
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"pueblo.map"}));
    EXPECT_TRUE(store->IsChanged());
    if (c.at != Step::Create) {
        EXPECT_EQ(fs::path(ops.m_created).parent_path(), dir.path());
        EXPECT_TRUE(fs::path(ops.m_created).filename().string().starts_with("KR"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    MapSave, SaveFailures,
    testing::Values(
        SaveFailure{"TemporaryNotCreated", Step::Create, EACCES, false, "No tiene permiso"},
        SaveFailure{"ReadOnlyDisk", Step::Create, EROFS, false, "solo lectura"},
        SaveFailure{"DiskFull", Step::Write, ENOSPC, false, "espacio"},
        SaveFailure{"SyncFails", Step::Sync, EIO, false, "no respondió bien"},
        SaveFailure{"BackupNotLinked", Step::Link, EACCES, false, "No tiene permiso"},
        SaveFailure{"RenameRefused", Step::Rename, EBUSY, false, "en uso"},
        SaveFailure{"NoLinksDiskFull", Step::Write, ENOSPC, true, "espacio"},
        SaveFailure{"NoLinksMapNotMovedAside", Step::MoveAside, EBUSY, true, "en uso"},
        SaveFailure{"NoLinksRenameRefused", Step::Rename, EACCES, true, "No tiene permiso"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SaveFixture, WhenTheMapCannotBePutBackTheMessageSaysWhereItIs) {
    FailingOps ops(Step::PutBack, EIO, true);
    Problem error;
    EXPECT_FALSE(SaveMapFile(*store, mapPath, picture, error, ops));
    EXPECT_NE(error.Text().find("El mapa anterior quedó en " + dir.str() + "pueblo.bak"),
              std::string::npos)
        << error.Text();
    EXPECT_EQ(ReadFile(dir.path() / "pueblo.bak"), oldContent);
}

TEST_F(SaveFixture, StaleBackupStopsTheSaveAndSaysWhatToDo) {
    const Bytes userBackup{'m', 'i', 'o'};
    WriteFile(dir.path() / "pueblo.bak", userBackup);
    for (bool noLinks : {false, true}) {
        FailingOps ops(Step::Nothing, 0, noLinks);
        Problem error;
        EXPECT_FALSE(SaveMapFile(*store, mapPath, picture, error, ops));
        EXPECT_NE(error.Text().find(dir.str() + "pueblo.bak"), std::string::npos) << error.Text();
        EXPECT_NE(error.Text().find("borre esa copia"), std::string::npos) << error.Text();
        EXPECT_EQ(ReadFile(mapPath), oldContent);
        EXPECT_EQ(ReadFile(dir.path() / "pueblo.bak"), userBackup);
        EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"pueblo.bak", "pueblo.map"}));
    }
}

// A reason is a sentence with the file's name put in: a name that itself holds
// "%1" or "%2" must come out as it is, not filled in again.
TEST_F(SaveFixture, AReasonNamesTheFileAsItIsCalled) {
    const std::string folder = dir.str() + "planos %2 al 100%1/";
    Problem error;
    EXPECT_FALSE(SaveMapFile(*store, folder + "m.map", picture, error));
    EXPECT_EQ(error.Text(), "La carpeta " + folder + " no existe.");
    ASSERT_EQ(error.args, std::vector<std::string>{folder});

    fs::create_directory(folder);
    WriteFile(fs::path(folder) / "m.bak", Bytes{1});
    WriteFile(fs::path(folder) / "m.map", Bytes{2});
    EXPECT_FALSE(SaveMapFile(*store, folder + "m.map", picture, error));
    EXPECT_TRUE(error.Text().starts_with("Ya existe " + folder + "m.bak, la copia"))
        << error.Text();
}

TEST_F(SaveFixture, SavesWithAndWithoutHardLinksLeaveOnlyTheMap) {
    for (bool noLinks : {false, true}) {
        FailingOps ops(Step::Nothing, 0, noLinks);
        Problem error;
        ASSERT_TRUE(SaveMapFile(*store, mapPath, picture, error, ops)) << error.Text();
        EXPECT_EQ(error.Text(), "");
        EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"pueblo.map"}));
        EXPECT_EQ(ReadFile(mapPath), WriteToBytes(*store, picture));
        // Whether the store now counts as saved is its owner's business.
        EXPECT_TRUE(store->IsChanged());
    }
    // A new map needs no old file.
    Problem error;
    ASSERT_TRUE(SaveMapFile(*store, dir.str() + "nuevo.map", {}, error)) << error.Text();
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"nuevo.map", "pueblo.map"}));
    Bytes read{1};
    ASSERT_NE(ReadFromBytes(ReadFile(dir.path() / "nuevo.map"), error, {}, &read), nullptr);
    EXPECT_TRUE(read.empty());
}

TEST_F(SaveFixture, SaveThroughALinkReplacesItsTargetAndKeepsPermissions) {
    fs::create_directory(dir.path() / "datos");
    const fs::path real = dir.path() / "datos" / "real.map";
    fs::rename(mapPath, real);
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    fs::create_symlink("datos/real.map", mapPath);
    Problem error;
    ASSERT_TRUE(SaveMapFile(*store, mapPath, picture, error)) << error.Text();
    EXPECT_TRUE(fs::is_symlink(mapPath));
    EXPECT_EQ(ReadFile(real), WriteToBytes(*store, picture));
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"datos", "pueblo.map"}));

    // A link that leads round in a circle is refused, not followed for ever.
    fs::create_symlink("vuelta.map", dir.path() / "ida.map");
    fs::create_symlink("ida.map", dir.path() / "vuelta.map");
    EXPECT_FALSE(SaveMapFile(*store, dir.str() + "ida.map", picture, error));
    EXPECT_NE(error.Text().find("no lleva a ningún archivo"), std::string::npos) << error.Text();
}

TEST_F(SaveFixture, AllTemporaryNamesTakenFailsCleanly) {
    for (int i = 1; i <= 999; ++i) {
        std::string n = std::to_string(i);
        PadLeftWithZeros(n, 6);
        WriteFile(dir.path() / ("KR" + n + ".tmap"), {});
    }
    Problem error;
    EXPECT_FALSE(SaveMapFile(*store, mapPath, picture, error));
    EXPECT_NE(error.Text().find("No quedan nombres libres"), std::string::npos) << error.Text();
    EXPECT_EQ(ReadFile(mapPath), oldContent);
    EXPECT_EQ(dir.Entries().size(), 1000u);
}

// A real FAT file system, where hard links fail as on a USB stick. It needs
// fusefat and FUSE; where they are missing the test says so and skips.
TEST_F(SaveFixture, SavingWorksOnAFatDisk) {
    const fs::path image = dir.path() / "fat.img";
    const fs::path mount = dir.path() / "memoria";
    fs::create_directory(mount);
    const std::string make = "dd if=/dev/zero of=" + image.string() +
                             " bs=1M count=4 2>/dev/null && mkfs.vfat " + image.string() +
                             " >/dev/null 2>&1 && fusefat -o rw+ " + image.string() + " " +
                             mount.string() + " >/dev/null 2>&1";
    if (std::system(make.c_str()) != 0)
        GTEST_SKIP() << "No FAT file system could be mounted here (mkfs.vfat, fusefat, FUSE).";
    struct Unmount {
        fs::path at;
        ~Unmount() {
            const std::string cmd = "fusermount -u " + at.string() + " 2>/dev/null || umount " +
                                    at.string() + " 2>/dev/null";
            [[maybe_unused]] const int rc = std::system(cmd.c_str());
        }
    } unmount{mount};

    const std::string onStick = (mount / "pueblo.map").string();
    WriteFile(onStick, oldContent);
    ASSERT_NE(::link(onStick.c_str(), (mount / "probe").c_str()), 0) << "FAT has hard links?";
    Problem error;
    // As the editor does: the map locked while it is saved.
    MapLock lock;
    LockOwner holder;
    ASSERT_EQ(lock.Acquire(onStick, holder, error), MapLock::Result::Taken) << error.Text();
    ASSERT_TRUE(SaveMapFile(*store, onStick, picture, error)) << error.Text();
    ASSERT_TRUE(SaveMapFile(*store, onStick, picture, error)) << error.Text();
    EXPECT_EQ(ReadFile(onStick), WriteToBytes(*store, picture));
    EXPECT_TRUE(fs::exists(mount / ".pueblo.map.lock"));
    lock.Release();
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(mount))
        names.push_back(e.path().filename().string());
    EXPECT_EQ(names, (std::vector<std::string>{"pueblo.map"}));
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
