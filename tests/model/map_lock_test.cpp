// One editor per map: the lock file beside a map, who holds it, and taking
// over the lock of an editor that is gone.

#include "map_lock.h"
#include "other_editor.h"
#include "scratch_dir.h"
#include "test_bytes.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
}

// The id of a process that has ended.
pid_t DeadPid() {
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(0);
    ::waitpid(pid, nullptr, 0);
    return pid;
}

struct LockFixture : testing::Test {
    ScratchDir dir;
    std::string mapPath = dir.str() + "pueblo.map";
    std::string lockPath = dir.str() + ".pueblo.map.lock";
    Problem error;
    LockOwner holder;

    void SetUp() override { WriteFile(mapPath, {1, 2, 3}); }
};

} // namespace

TEST_F(LockFixture, LockIsAFileBesideTheMapNamingThisEditorUntilReleased) {
    EXPECT_EQ(MapLock::LockPath(mapPath), lockPath);
    MapLock lock;
    ASSERT_EQ(lock.Acquire(mapPath, holder, error), MapLock::Result::Taken) << error.Text();
    EXPECT_EQ(lock.Path(), lockPath);
    LockOwner written;
    ASSERT_TRUE(ParseLock(ReadText(lockPath), written));
    EXPECT_EQ(written.pid, static_cast<long>(::getpid()));
    EXPECT_EQ(written.host, MapLock::Self().host);
    EXPECT_EQ(written.user, MapLock::Self().user);
    EXPECT_LE(std::abs(std::time(nullptr) - written.since), 5);
    // This editor's own lock keeps nobody out, and taking it again keeps it.
    EXPECT_FALSE(MapLock::HeldByOther(mapPath));
    EXPECT_EQ(lock.Acquire(mapPath, holder, error), MapLock::Result::Taken);

    MapLock moved = std::move(lock);
    EXPECT_FALSE(lock.Held());
    moved.Release();
    EXPECT_FALSE(fs::exists(lockPath));
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"pueblo.map"});

    // A lock another editor took over meanwhile is not removed on release.
    {
        MapLock again;
        ASSERT_EQ(again.Acquire(mapPath, holder, error), MapLock::Result::Taken);
        WriteText(lockPath, FormatLock(OtherEditor::OwnerWithPid(1)));
    }
    EXPECT_TRUE(fs::exists(lockPath));
}

TEST_F(LockFixture, SecondEditorFindsWhoHasTheMap) {
    OtherEditor other;
    const std::string theirs = FormatLock(OtherEditor::OwnerWithPid(other.Pid()));
    WriteText(lockPath, theirs);

    const std::optional<LockOwner> found = MapLock::HeldByOther(mapPath);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->pid, other.Pid());
    EXPECT_EQ(found->user, "otra");
    EXPECT_EQ(found->since, 1700000000);
    MapLock lock;
    EXPECT_EQ(lock.Acquire(mapPath, holder, error), MapLock::Result::HeldByOther);
    EXPECT_EQ(holder.pid, other.Pid());
    EXPECT_FALSE(lock.Held());
    EXPECT_EQ(ReadText(lockPath), theirs);

    // Whether an editor on another computer still runs cannot be told: it holds the map.
    LockOwner remote = OtherEditor::OwnerWithPid(DeadPid());
    remote.host = "otra-" + remote.host;
    WriteText(lockPath, FormatLock(remote));
    EXPECT_EQ(lock.Acquire(mapPath, holder, error), MapLock::Result::HeldByOther);
    EXPECT_EQ(holder.host, remote.host);

    // A lock still being written (no owner yet) holds the map too.
    WriteText(lockPath, "");
    EXPECT_EQ(lock.Acquire(mapPath, holder, error), MapLock::Result::HeldByOther);
    EXPECT_TRUE(holder.unknown);
    EXPECT_TRUE(MapLock::HeldByOther(mapPath));
}

TEST_F(LockFixture, StaleLocksOfThisComputerAreTakenOver) {
    OtherEditor reused;
    // Left by: a process that ended; a process whose id now belongs to another
    // one started later; an editor that stopped before writing its lock.
    LockOwner startedElsewhen = OtherEditor::OwnerWithPid(reused.Pid());
    startedElsewhen.start = 1;
    const std::string stale[] = {FormatLock(OtherEditor::OwnerWithPid(DeadPid())),
                                 FormatLock(startedElsewhen), "veltrix-lock 1\nuser=a"};
    for (const std::string& text : stale) {
        SCOPED_TRACE(text);
        WriteText(lockPath, text);
        // The half-written one only when it is old.
        const struct timeval old[2] = {{1000, 0}, {1000, 0}};
        ASSERT_EQ(::utimes(lockPath.c_str(), old), 0);
        EXPECT_FALSE(MapLock::HeldByOther(mapPath));
        MapLock lock;
        ASSERT_EQ(lock.Acquire(mapPath, holder, error), MapLock::Result::Taken) << error.Text();
        LockOwner now;
        ASSERT_TRUE(ParseLock(ReadText(lockPath), now));
        EXPECT_EQ(now.pid, static_cast<long>(::getpid()));
        lock.Release();
        EXPECT_EQ(dir.Entries(), std::vector<std::string>{"pueblo.map"});
    }
}

TEST_F(LockFixture, LockOfALinkedMapIsBesideItsFile) {
    fs::create_directory(dir.path() / "otra");
    const std::string link = dir.str() + "otra/enlace.map";
    fs::create_symlink(mapPath, link);
    MapLock lock;
    ASSERT_EQ(lock.Acquire(link, holder, error), MapLock::Result::Taken);
    EXPECT_EQ(lock.Path(), lockPath);
    // Reached either way, the map is held by this editor.
    EXPECT_EQ(MapLock::LockPath(mapPath), lock.Path());
}

TEST_F(LockFixture, NoLockWhereNoneCanBeMade) {
    MapLock lock;
    EXPECT_EQ(lock.Acquire(dir.str() + "no/hay/carpeta.map", holder, error),
              MapLock::Result::Unavailable);
    EXPECT_NE(error.Text().find("No se puede crear"), std::string::npos) << error.Text();
    EXPECT_FALSE(lock.Held());
}
