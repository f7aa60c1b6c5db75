#pragma once

// One editor per map: while a map is open for editing, a small file beside it
// says who has it (user, computer, process, since when). Another editor finds
// it and can tell the person; a lock left by a process that is gone from this
// computer is taken over.

#include "problem.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

struct LockOwner {
    std::string user;
    std::string host;
    long pid = 0;
    // When the process started, in the kernel's clock ticks since boot; tells a
    // reused process id from the one that took the lock. 0 where unknown.
    std::uint64_t start = 0;
    std::time_t since = 0;
    // The file said nothing readable: an editor is still writing it, or one
    // stopped half-way. Nothing but the file's age is known then.
    bool unknown = false;
};

class MapLock {
public:
    enum class Result {
        Taken,       // this process holds the lock now
        HeldByOther, // another editor, still running or on another computer, has the map
        Unavailable, // no lock can be made there (a read-only disk, no permission)
    };

    MapLock() = default;
    ~MapLock();
    MapLock(MapLock&& other) noexcept;
    MapLock& operator=(MapLock&& other) noexcept;
    MapLock(const MapLock&) = delete;
    MapLock& operator=(const MapLock&) = delete;

    // The lock file of the map at `mapPath`, beside the file a save writes (the
    // end of a chain of symbolic links), so that every way to the map meets it.
    static std::string LockPath(const std::string& mapPath);
    // The editor holding the lock of `mapPath` when it is not this process and
    // not a dead one of this computer.
    static std::optional<LockOwner> HeldByOther(const std::string& mapPath);
    // This process as a lock names it.
    static LockOwner Self();

    // Takes the lock of `mapPath`, creating its file so that of two editors
    // only one can succeed. A lock of this process is kept, a stale one taken
    // over. On HeldByOther `holder` says who has it; on Unavailable `error`
    // says why.
    Result Acquire(const std::string& mapPath, LockOwner& holder, Problem& error);
    // Removes the lock file when it is still this lock's.
    void Release();
    bool Held() const { return !m_strPath.empty(); }
    // The lock file held; empty when none is.
    const std::string& Path() const { return m_strPath; }

private:
    std::string m_strPath;
    std::string m_strContent;
};

// The text of a lock file, and back; false when the text is no lock.
std::string FormatLock(const LockOwner& owner);
bool ParseLock(const std::string& text, LockOwner& owner);
