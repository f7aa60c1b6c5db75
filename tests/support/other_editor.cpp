#include "other_editor.h"

#include <csignal>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

OtherEditor::OtherEditor() {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::pause();
        ::_exit(0);
    }
    m_pid = pid;
}

OtherEditor::~OtherEditor() {
    if (m_pid > 0) {
        ::kill(static_cast<pid_t>(m_pid), SIGKILL);
        ::waitpid(static_cast<pid_t>(m_pid), nullptr, 0);
    }
}

LockOwner OtherEditor::OwnerWithPid(long pid) {
    LockOwner owner = MapLock::Self();
    owner.user = "otra";
    owner.pid = pid;
    owner.start = 0;
    owner.since = 1700000000;
    return owner;
}

bool OtherEditor::Lock(const std::string& mapPath) const {
    std::ofstream file(MapLock::LockPath(mapPath), std::ios::binary | std::ios::trunc);
    file << FormatLock(OwnerWithPid(m_pid));
    return static_cast<bool>(file.flush());
}
