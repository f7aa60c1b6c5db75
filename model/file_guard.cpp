#include "file_guard.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

Problem NotAFileText(const std::string& path, mode_t mode) {
    if (S_ISFIFO(mode))
        return {
            MODEL_NOOP("Problem",
                       "%1 es una tubería con nombre, no un archivo: no se lee ni se reemplaza."),
            {path}};
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return {MODEL_NOOP("Problem",
                           "%1 es un dispositivo, no un archivo: no se lee ni se reemplaza."),
                {path}};
    if (S_ISDIR(mode))
        return {
            MODEL_NOOP("Problem", "%1 es una carpeta, no un archivo: no se lee ni se reemplaza."),
            {path}};
    if (S_ISSOCK(mode))
        return {MODEL_NOOP("Problem", "%1 es un socket, no un archivo: no se lee ni se reemplaza."),
                {path}};
    return {MODEL_NOOP("Problem",
                       "%1 es algo que no es un archivo normal, no un archivo: no se lee "
                       "ni se reemplaza."),
            {path}};
}

// Where any user may make and remove names of their own, but not of others:
// a link found there may be someone else's trap.
bool SharedStickyFolder(const std::string& folder) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0)
        return false;
    return (st.st_mode & S_ISVTX) != 0 && (st.st_mode & S_IWOTH) != 0;
}

// Follows the chain of links from `path`; with `error` a link another user
// may have planted stops it.
std::string FollowLinks(const std::string& path, Problem* error) {
    std::string target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return target;
        if (error && st.st_uid != ::geteuid() && st.st_uid != 0 &&
            SharedStickyFolder(FolderOf(target))) {
            *error = {MODEL_NOOP("Problem",
                                 "El enlace %1 es de otro usuario y está en una carpeta que todos "
                                 "pueden escribir: no se sigue, porque podría llevar a un archivo "
                                 "que no es suyo. Bórrelo o elija otro nombre."),
                      {target}};
            return {};
        }
        std::string link(static_cast<std::size_t>(PATH_MAX), '\0');
        const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= link.size())
            break;
        link.resize(static_cast<std::size_t>(n));
        target = link.front() == '/' ? link : FolderOf(target) + link;
    }
    if (error)
        *error = {MODEL_NOOP("Problem", "El enlace %1 no lleva a ningún archivo."), {path}};
    return {};
}

} // namespace

int OpenRegularFile(const std::string& path, Problem& refusal) {
    refusal.Clear();
    // O_NONBLOCK makes opening a named pipe return at once instead of waiting
    // for a writer; it is cleared again before anything is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int err = errno;
        ::close(fd);
        errno = err;
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        refusal = NotAFileText(path, st.st_mode);
        errno = EINVAL;
        return -1;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

std::FILE* OpenRegularStream(const std::string& path, Problem& refusal) {
    const int fd = OpenRegularFile(path, refusal);
    if (fd < 0)
        return nullptr;
    std::FILE* file = ::fdopen(fd, "rb");
    if (!file)
        ::close(fd);
    return file;
}

Problem NotAFileReason(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || S_ISREG(st.st_mode))
        return {};
    return NotAFileText(path, st.st_mode);
}

std::string SaveTarget(const std::string& path) {
    return FollowLinks(path, nullptr);
}

std::string TrustedWriteTarget(const std::string& path, Problem& error) {
    return FollowLinks(path, &error);
}

FileStamp StampOf(const std::string& path) {
    FileStamp stamp;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return stamp;
    stamp.device = static_cast<std::uint64_t>(st.st_dev);
    stamp.inode = static_cast<std::uint64_t>(st.st_ino);
    stamp.size = static_cast<std::int64_t>(st.st_size);
    stamp.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 +
                       static_cast<std::int64_t>(st.st_mtim.tv_nsec);
    return stamp;
}

bool IsReadOnlyFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    // Root may write anything; a file without any write bit is still meant to stay.
    if (::geteuid() == 0)
        return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

Problem ReadOnlyFileReason(const std::string& path) {
    return {MODEL_NOOP("Problem", "El archivo es de solo lectura: %1."), {path}};
}
