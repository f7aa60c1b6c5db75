#include "map_lock.h"

#include "file_guard.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

constexpr char kHeading[] = "veltrix-lock 1";
// The errno ReadLockFile gives for something that is not a regular file.
constexpr int kNotAFileErrno = EINVAL;
// An editor writes its lock's few lines right after creating the file; an
// unreadable lock older than this was left by one that stopped in between.
constexpr std::time_t kUnreadableGraceSeconds = 10;

std::string FileLockName(const std::string& target) {
    const auto slash = target.find_last_of('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    return folder + "." + name + ".lock";
}

// A lock file's text and age; false with errno set when it cannot be read.
bool ReadLockFile(const std::string& path, std::string& text, std::time_t& modified) {
    // Not waiting on a named pipe planted with the lock's name.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return false;
    struct stat st {};
    const bool statted = ::fstat(fd, &st) == 0;
    if (!statted || !S_ISREG(st.st_mode)) {
        const int err = statted ? kNotAFileErrno : errno;
        ::close(fd);
        errno = err;
        return false;
    }
    modified = st.st_mtime;
    text.clear();
    char buffer[512];
    // A lock is a few short lines; anything longer is no lock of ours.
    while (text.size() < 4096) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return true;
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string HostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return "localhost";
    return name;
}

std::string UserName() {
    std::vector<char> buffer(16384);
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_name && *found->pw_name)
        return found->pw_name;
    if (const char* user = std::getenv("USER"); user && *user)
        return user;
    return std::to_string(::getuid());
}

// When process `pid` started (field 22 of /proc/PID/stat); 0 where that cannot be known.
std::uint64_t ProcessStart(long pid) {
    const std::string path = "/proc/" + std::to_string(pid) + "/stat";
    std::FILE* f = std::fopen(path.c_str(), "re");
    if (!f)
        return 0;
    char line[1024] = {};
    const std::size_t n = std::fread(line, 1, sizeof line - 1, f);
    std::fclose(f);
    const std::string text(line, n);
    // The command name may hold spaces and parentheses; the fields resume after the last ')'.
    const auto close = text.rfind(')');
    if (close == std::string::npos)
        return 0;
    std::size_t pos = close + 1;
    for (int field = 3; field <= 22; ++field) {
        while (pos < text.size() && text[pos] == ' ')
            ++pos;
        const auto end = text.find(' ', pos);
        if (field == 22)
            return std::strtoull(text.substr(pos, end - pos).c_str(), nullptr, 10);
        if (end == std::string::npos)
            return 0;
        pos = end;
    }
    return 0;
}

bool IsSelf(const LockOwner& owner) {
    const LockOwner self = MapLock::Self();
    return !owner.unknown && owner.host == self.host && owner.pid == self.pid &&
           (owner.start == 0 || self.start == 0 || owner.start == self.start);
}

bool IsStale(const LockOwner& owner, std::time_t modified) {
    if (owner.unknown)
        return std::time(nullptr) - modified > kUnreadableGraceSeconds;
    // Whether a process of another computer still runs cannot be known from here.
    if (owner.host != HostName() || owner.pid <= 0)
        return false;
    if (::kill(static_cast<pid_t>(owner.pid), 0) != 0 && errno == ESRCH)
        return true;
    // The id is in use: by the editor that took the lock unless it started at another time.
    const std::uint64_t start = ProcessStart(owner.pid);
    return owner.start != 0 && start != 0 && start != owner.start;
}

enum class Found { None, Self, Stale, Other, Unreadable, NotAFile };

struct Existing {
    Found what = Found::None;
    LockOwner owner;
    std::string text;
};

Existing Inspect(const std::string& lockPath) {
    Existing found;
    std::time_t modified = 0;
    if (!ReadLockFile(lockPath, found.text, modified)) {
        found.what = errno == ENOENT           ? Found::None
                     : errno == kNotAFileErrno ? Found::NotAFile
                                               : Found::Unreadable;
        found.owner.unknown = true;
        return found;
    }
    if (!ParseLock(found.text, found.owner))
        found.owner.unknown = true;
    found.what = IsSelf(found.owner)              ? Found::Self
                 : IsStale(found.owner, modified) ? Found::Stale
                                                  : Found::Other;
    return found;
}

} // namespace

std::string FormatLock(const LockOwner& owner) {
    return std::string(kHeading) + "\nuser=" + owner.user + "\nhost=" + owner.host +
           "\npid=" + std::to_string(owner.pid) + "\nstart=" + std::to_string(owner.start) +
           "\nsince=" + std::to_string(static_cast<long long>(owner.since)) + "\n";
}

bool ParseLock(const std::string& text, LockOwner& owner) {
    LockOwner read;
    std::size_t pos = 0;
    bool first = true;
    while (pos < text.size()) {
        auto end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (first) {
            if (line != kHeading)
                return false;
            first = false;
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string key = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        if (key == "user")
            read.user = value;
        else if (key == "host")
            read.host = value;
        else if (key == "pid")
            read.pid = std::strtol(value.c_str(), nullptr, 10);
        else if (key == "start")
            read.start = std::strtoull(value.c_str(), nullptr, 10);
        else if (key == "since")
            read.since = static_cast<std::time_t>(std::strtoll(value.c_str(), nullptr, 10));
    }
    if (first || read.pid <= 0 || read.host.empty())
        return false;
    owner = read;
    return true;
}

MapLock::~MapLock() {
    Release();
}

MapLock::MapLock(MapLock&& other) noexcept
    : m_strPath(std::exchange(other.m_strPath, {})),
      m_strContent(std::exchange(other.m_strContent, {})) {}

MapLock& MapLock::operator=(MapLock&& other) noexcept {
    if (this != &other) {
        Release();
        m_strPath = std::exchange(other.m_strPath, {});
        m_strContent = std::exchange(other.m_strContent, {});
    }
    return *this;
}

std::string MapLock::LockPath(const std::string& mapPath) {
    const std::string target = SaveTarget(mapPath);
    return FileLockName(target.empty() ? mapPath : target);
}

LockOwner MapLock::Self() {
    static const LockOwner self = [] {
        LockOwner owner;
        owner.user = UserName();
        owner.host = HostName();
        owner.pid = static_cast<long>(::getpid());
        owner.start = ProcessStart(owner.pid);
        return owner;
    }();
    // A forked child is another process with another lock.
    if (self.pid != static_cast<long>(::getpid())) {
        LockOwner child = self;
        child.pid = static_cast<long>(::getpid());
        child.start = ProcessStart(child.pid);
        return child;
    }
    return self;
}

std::optional<LockOwner> MapLock::HeldByOther(const std::string& mapPath) {
    const Existing found = Inspect(LockPath(mapPath));
    if (found.what == Found::Other || found.what == Found::Unreadable)
        return found.owner;
    return std::nullopt;
}

MapLock::Result MapLock::Acquire(const std::string& mapPath, LockOwner& holder, Problem& error) {
    const std::string lockPath = LockPath(mapPath);
    if (Held() && m_strPath == lockPath)
        return Result::Taken;
    Release();
    // A few rounds: a stale lock is removed and the file made again, and
    // another editor may do the same at the same moment.
    for (int round = 0; round < 4; ++round) {
        LockOwner self = Self();
        self.since = std::time(nullptr);
        const std::string content = FormatLock(self);
        const int fd =
            ::open(lockPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (fd >= 0) {
            const bool written = WriteAll(fd, content);
            if (::close(fd) != 0 || !written) {
                ::unlink(lockPath.c_str());
                error = {MODEL_NOOP("Problem", "No se puede escribir %1."), {lockPath}};
                return Result::Unavailable;
            }
            m_strPath = lockPath;
            m_strContent = content;
            return Result::Taken;
        }
        if (errno != EEXIST) {
            error = {MODEL_NOOP("Problem", "No se puede crear %1 (código de error %2)."),
                     {lockPath, std::to_string(errno)}};
            return Result::Unavailable;
        }
        const Existing found = Inspect(lockPath);
        switch (found.what) {
        case Found::None:
            continue;
        case Found::Self:
            m_strPath = lockPath;
            m_strContent = found.text;
            return Result::Taken;
        case Found::Other:
        case Found::Unreadable:
            holder = found.owner;
            return Result::HeldByOther;
        case Found::Stale:
            break;
        case Found::NotAFile:
            error = NotAFileReason(lockPath);
            return Result::Unavailable;
        }
        // The stale file is moved aside before it is removed: if another
        // editor replaced it meanwhile with a live lock, that one goes back.
        const std::string aside = lockPath + ".stale-" + std::to_string(::getpid());
        if (::rename(lockPath.c_str(), aside.c_str()) != 0)
            continue;
        std::string text;
        std::time_t modified = 0;
        if (ReadLockFile(aside, text, modified) && text != found.text)
            ::rename(aside.c_str(), lockPath.c_str());
        else
            ::unlink(aside.c_str());
    }
    holder = LockOwner();
    holder.unknown = true;
    return Result::HeldByOther;
}

void MapLock::Release() {
    if (!Held())
        return;
    std::string text;
    std::time_t modified = 0;
    // Another editor may have taken over a lock it thought stale; its lock stays.
    if (ReadLockFile(m_strPath, text, modified) && text == m_strContent)
        ::unlink(m_strPath.c_str());
    m_strPath.clear();
    m_strContent.clear();
}
