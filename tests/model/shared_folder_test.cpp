// Saving and reading maps where other users and programs are at work too: a
// link planted in a shared sticky folder, readers let in before the new file
// has its permissions, named pipes with a map's or a lock's name, read-only
// maps, and two programs saving the same folder at once.

#include "file_guard.h"
#include "map_file.h"
#include "map_lock.h"
#include "map_save.h"
#include "scratch_dir.h"
#include "test_bytes.h"
#include "test_towns.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr uid_t kNobody = 65534;

// Runs `work` in a child process that is stopped after `seconds`: a read that
// waits on a named pipe must fail the test, not hang it. True when `work`
// returned true in time.
template <typename Work>
bool FinishesWithin(unsigned seconds, Work work) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(seconds);
        ::_exit(work() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

struct SharedFolder : testing::Test {
    ScratchDir dir;
    std::unique_ptr<MapStore> store = BuildEveryKindMap();
    Bytes picture{0xFF, 0xD8, 0xFF, 0xD9};
    Problem error;

    std::string Path(const char* name) const { return dir.str() + name; }
    static unsigned ModeOf(const std::string& path) {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
    }
};

// Records the permission bits each temporary file has when it is created.
class ModeWatchingOps : public FileOps {
public:
    int CreateNew(const std::string& path, unsigned mode, std::FILE*& file) override {
        const int err = FileOps::CreateNew(path, mode, file);
        struct stat st {};
        if (err == 0 && ::fstat(::fileno(file), &st) == 0)
            m_modes.push_back(st.st_mode & 07777);
        return err;
    }
    std::vector<unsigned> m_modes;
};

} // namespace

TEST_F(SharedFolder, LinkPlantedByAnotherUserInAStickyFolderIsNotFollowed) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "Only root can make a link that belongs to another user here.";
    const fs::path shared = dir.path() / "compartida";
    fs::create_directory(shared);
    ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
    const std::string secret = Path("privado.map");
    const Bytes secretBytes{'m', 'i', 'o'};
    WriteFile(secret, secretBytes);
    ASSERT_EQ(::chmod(secret.c_str(), 0600), 0);

    const std::string planted = (shared / "plano.map").string();
    fs::create_symlink(secret, planted);
    ASSERT_EQ(::lchown(planted.c_str(), kNobody, kNobody), 0);
    EXPECT_FALSE(SaveMapFile(*store, planted, picture, error));
    EXPECT_NE(error.Text().find("es de otro usuario"), std::string::npos) << error.Text();
    EXPECT_TRUE(TrustedWriteTarget(planted, error).empty());
    EXPECT_EQ(ReadFile(secret), secretBytes);
    EXPECT_TRUE(fs::is_symlink(planted));

    // The user's own link there, and another user's in a folder that is not
    // shared, are followed as always.
    const std::string own = (shared / "propio.map").string();
    fs::create_symlink(secret, own);
    ASSERT_TRUE(SaveMapFile(*store, own, picture, error)) << error.Text();
    EXPECT_EQ(ReadFile(secret), WriteToBytes(*store, picture));
    const std::string privateLink = Path("enlace.map");
    fs::create_symlink(secret, privateLink);
    ASSERT_EQ(::lchown(privateLink.c_str(), kNobody, kNobody), 0);
    EXPECT_EQ(TrustedWriteTarget(privateLink, error), secret);
}

TEST_F(SharedFolder, NoOtherUserCanOpenTheNewFileBeforeItHasThePrivateMapsMode) {
    const std::string mapPath = Path("privado.map");
    WriteFile(mapPath, {1, 2, 3});
    ASSERT_EQ(::chmod(mapPath.c_str(), 0600), 0);
    const mode_t umask = ::umask(022);
    ModeWatchingOps ops;
    EXPECT_TRUE(SaveMapFile(*store, mapPath, picture, error, ops)) << error.Text();
    ASSERT_EQ(ops.m_modes.size(), 1u);
    EXPECT_EQ(ops.m_modes[0] & 077, 0u) << std::oct << ops.m_modes[0];
    EXPECT_EQ(ModeOf(mapPath), 0600u);

    // A map others may read keeps that; a new one gets the usual mode.
    ASSERT_EQ(::chmod(mapPath.c_str(), 0644), 0);
    EXPECT_TRUE(SaveMapFile(*store, mapPath, picture, error)) << error.Text();
    EXPECT_EQ(ModeOf(mapPath), 0644u);
    EXPECT_TRUE(SaveMapFile(*store, Path("nuevo.map"), picture, error)) << error.Text();
    EXPECT_EQ(ModeOf(Path("nuevo.map")), 0644u);
    ::umask(umask);
}

TEST_F(SharedFolder, NamedPipesWithAMapsOrALocksNameAreRefusedAtOnce) {
    const std::string pipe = Path("x.map");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_TRUE(FinishesWithin(10, [&] {
        std::vector<std::uint8_t> bytes;
        Problem reason;
        MapHeader header;
        const bool refused = !LoadMapFile(pipe, MapCounters{}, bytes, reason) &&
                             reason.Text().find("tubería con nombre") != std::string::npos &&
                             !ReadMapHeader(pipe, header, reason) &&
                             !ReadWholeFile(pipe, bytes, &reason) &&
                             reason.Text().find("tubería con nombre") != std::string::npos;
        return refused && !SaveMapFile(*store, pipe, picture, reason) &&
               reason.Text().find("no es un archivo") != std::string::npos;
    }));

    const std::string mapPath = Path("y.map");
    WriteFile(mapPath, WriteToBytes(*store, picture));
    ASSERT_EQ(::mkfifo(Path(".y.map.lock").c_str(), 0600), 0);
    EXPECT_TRUE(FinishesWithin(10, [&] {
        MapLock lock;
        LockOwner holder;
        Problem reason;
        return !MapLock::HeldByOther(mapPath) &&
               lock.Acquire(mapPath, holder, reason) == MapLock::Result::Unavailable &&
               reason.Text().find("tubería con nombre") != std::string::npos;
    }));
}

TEST_F(SharedFolder, ReadOnlyMapIsOnlyReplacedWhenAskedAndKeepsItsMode) {
    const std::string mapPath = Path("fijo.map");
    const Bytes old = WriteToBytes(MapStore());
    WriteFile(mapPath, old);
    ASSERT_EQ(::chmod(mapPath.c_str(), 0444), 0);
    EXPECT_TRUE(IsReadOnlyFile(mapPath));
    EXPECT_FALSE(SaveMapFile(*store, mapPath, picture, error));
    EXPECT_NE(error.Text().find("solo lectura"), std::string::npos) << error.Text();
    EXPECT_EQ(ReadFile(mapPath), old);

    SaveOptions replace;
    replace.replaceReadOnly = true;
    ASSERT_TRUE(SaveMapFile(*store, mapPath, picture, error, replace)) << error.Text();
    EXPECT_EQ(ReadFile(mapPath), WriteToBytes(*store, picture));
    EXPECT_EQ(ModeOf(mapPath), 0444u);
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"fijo.map"}));
}

// Two programs saving one map, and others saving their own maps beside it,
// all at once: each save works and nothing but the maps is left.
TEST_F(SharedFolder, SavesAtTheSameTimeTakeTurnsAndAllWork) {
    const std::vector<std::string> maps = {Path("m.map"), Path("m.map"), Path("m.map"),
                                           Path("otro.map"), Path("tercero.map")};
    for (const auto& path : maps)
        WriteFile(path, WriteToBytes(MapStore()));
    std::vector<pid_t> children;
    for (const std::string& path : maps) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::alarm(120);
            for (int round = 0; round < 25; ++round) {
                Problem reason;
                if (!SaveMapFile(*store, path, picture, reason)) {
                    std::fprintf(stderr, "%s: %s\n", path.c_str(), reason.Text().c_str());
                    ::_exit(1);
                }
            }
            ::_exit(0);
        }
        children.push_back(pid);
    }
    int failed = 0;
    for (const pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        failed += WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1;
    }
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(dir.Entries(), (std::vector<std::string>{"m.map", "otro.map", "tercero.map"}));
    EXPECT_EQ(ReadFile(Path("m.map")), WriteToBytes(*store, picture));
}
