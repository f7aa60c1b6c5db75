#pragma once

// Another editor on this computer, as a map's lock sees it: a process that
// runs until the object goes.

#include "map_lock.h"

#include <string>

class OtherEditor {
public:
    OtherEditor();
    ~OtherEditor();
    OtherEditor(const OtherEditor&) = delete;
    OtherEditor& operator=(const OtherEditor&) = delete;

    long Pid() const { return m_pid; }
    // The owner an editor of user "otra" with process id `pid` writes in its
    // lock, on this computer, since a fixed day of November 2023.
    static LockOwner OwnerWithPid(long pid);
    // Writes the lock this editor would have beside the map at `mapPath`.
    bool Lock(const std::string& mapPath) const;

private:
    long m_pid = 0;
};
