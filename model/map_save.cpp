#include "map_save.h"

#include "archive.h"
#include "map_file.h"
#include "unique_name.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#ifdef __linux__
#include <sys/vfs.h>
#endif
#include <system_error>
#include <thread>
#include <unistd.h>

namespace {

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

// Why an operation on `path` (in `folder`) failed, in words a user can act on.
std::string ReasonFor(int err, const std::string& path, const std::string& folder) {
    switch (err) {
    case ENOSPC:
    case EDQUOT:
        return "No queda espacio libre en el disco de " + folder + ".";
    case EACCES:
    case EPERM:
        return "No tiene permiso para escribir en " + folder + ".";
    case EROFS:
        return "El disco de " + folder + " es de solo lectura.";
    case EBUSY:
    case ETXTBSY:
        return "El archivo " + path + " está en uso por otro programa.";
    case ENOENT:
    case ENOTDIR:
        return "La carpeta " + folder + " no existe.";
    case EIO:
        return "El disco de " + folder + " no respondió bien (error de lectura o escritura).";
    case ENAMETOOLONG:
        return "El nombre " + path + " es demasiado largo.";
    default:
        return "El sistema no pudo escribir en " + folder + " (código de error " +
               std::to_string(err) + ").";
    }
}

std::string StaleBackupReason(const std::string& backup) {
    return "Ya existe " + backup +
           ", la copia de seguridad de un guardado anterior que no terminó. Compruebe que el "
           "mapa está bien, y borre esa copia o cámbiele el nombre antes de volver a guardar.";
}

// A hard link cannot be made here, but a rename can stand in for it.
bool LinksUnsupported(int err) {
    return err == EPERM || err == EOPNOTSUPP || err == ENOTSUP || err == ENOSYS || err == EMLINK ||
           err == EXDEV;
}

// Group and permission bits of the old file; failures only lose the group, as
// on disks that keep neither.
void CopyAttributes(std::FILE* file, const struct stat& old) {
    const int fd = ::fileno(file);
    if (::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
        // Not a member of the old group: the file keeps the user's own.
    }
    if (::fchmod(fd, old.st_mode & 07777) != 0) {
        // A disk without permission bits.
    }
}

// Every this many bytes written, the disk is asked to start on them.
constexpr std::uint64_t kWritebackStep = 8 << 20;

// Local disks, where a file whose last name is gone but which is still open
// has no name at all. Network shares and FUSE file systems (a USB stick's FAT
// through fusefat) give it a hidden one until it is closed.
bool HidesUnlinkedOpenFiles(const std::string& folder) {
#ifdef __linux__
    struct statfs fsInfo {};
    if (::statfs(folder.c_str(), &fsInfo) != 0)
        return false;
    constexpr long kLocal[] = {
        0xEF53,     // ext2, ext3, ext4
        0x58465342, // xfs
        0x9123683E, // btrfs
        0x01021994, // tmpfs
        0xF2F52010, // f2fs
        0x2FC12FC1, // zfs
    };
    for (const long type : kLocal)
        if (static_cast<long>(fsInfo.f_type) == type)
            return true;
#else
    (void)folder;
#endif
    return false;
}

// The old content of a large map takes the file system a while to free once
// its last name is gone. On a local disk an open descriptor keeps it until
// closed, and the close is left to a thread of its own, so a save does not
// wait for it.
class OldContent {
public:
    void Hold(const std::string& path, const std::string& folder) {
        Drop();
        if (HidesUnlinkedOpenFiles(folder))
            m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    }
    // The last name is gone: free the blocks in the background.
    void LetGo() {
        if (m_fd < 0)
            return;
        try {
            std::thread([fd = m_fd] { ::close(fd); }).detach();
            m_fd = -1;
        } catch (const std::system_error&) {
            Drop();
        }
    }
    void Drop() {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }
    ~OldContent() { Drop(); }

private:
    int m_fd = -1;
};

} // namespace

int FileOps::CreateNew(const std::string& path, unsigned mode, std::FILE*& file) {
    file = nullptr;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                          static_cast<mode_t>(mode));
    if (fd < 0)
        return errno;
    file = ::fdopen(fd, "wb");
    if (!file) {
        const int err = errno;
        ::close(fd);
        ::unlink(path.c_str());
        return err;
    }
    return 0;
}

int FileOps::SyncAndClose(std::FILE* file) {
    int err = 0;
    if (std::fflush(file) != 0)
        err = errno;
    if (::fsync(::fileno(file)) != 0 && err == 0)
        err = errno;
    if (std::fclose(file) != 0 && err == 0)
        err = errno;
    return err;
}

int FileOps::Link(const std::string& from, const std::string& to) {
    return ::link(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int FileOps::Rename(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int FileOps::Remove(const std::string& path) {
    return ::unlink(path.c_str()) == 0 ? 0 : errno;
}

int FileOps::SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int err = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    // Some file systems cannot sync a folder at all; there is nothing more to do there.
    if (err == EINVAL || err == EROFS)
        err = 0;
    return err;
}

void FileOps::StartWriteback(std::FILE* file, std::uint64_t offset, std::uint64_t length) {
#ifdef SYNC_FILE_RANGE_WRITE
    const int fd = ::fileno(file);
    if (fd >= 0)
        ::sync_file_range(fd, static_cast<off64_t>(offset), static_cast<off64_t>(length),
                          SYNC_FILE_RANGE_WRITE);
#else
    (void)file;
    (void)offset;
    (void)length;
#endif
}

std::string SaveErrorText() {
    return "- Error al guardar -";
}

std::string SaveTarget(const std::string& path) {
    std::string target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return target;
        std::string link(static_cast<std::size_t>(PATH_MAX), '\0');
        const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= link.size())
            return {};
        link.resize(static_cast<std::size_t>(n));
        target = link.front() == '/' ? link : FolderOf(target) + link;
    }
    return {};
}

std::string BackupPath(const std::string& mapPath) {
    return mapPath.substr(0, mapPath.size() - (mapPath.ends_with(".map") ? 4 : 0)) + ".bak";
}

bool SaveMapFile(const MapStore& store, const std::string& mapPath,
                 std::span<const std::uint8_t> picture, std::string& error, FileOps& ops) {
    const std::string target = SaveTarget(mapPath);
    if (target.empty()) {
        error = "El enlace " + mapPath + " no lleva a ningún archivo.";
        return false;
    }
    const std::string folder = FolderOf(target);
    const std::string backup = BackupPath(target);
    struct stat st {};
    // A backup left by a save that never finished may be the only good copy.
    if (::lstat(backup.c_str(), &st) == 0) {
        error = StaleBackupReason(backup);
        return false;
    }
    struct stat old {};
    const bool hadMap = ::stat(target.c_str(), &old) == 0;
    if (hadMap && !S_ISREG(old.st_mode)) {
        error = target + " no es un archivo: el mapa no se puede guardar con ese nombre.";
        return false;
    }

    const std::string tempName = MakeUniqueFileName(folder, ".tmap", "KR");
    if (tempName.empty()) {
        error = "No quedan nombres libres para el archivo temporal en " + folder + ".";
        return false;
    }
    const std::string tempPath = folder + tempName;
    std::FILE* file = nullptr;
    if (const int err = ops.CreateNew(tempPath, 0666, file)) {
        error = ReasonFor(err, target, folder);
        return false;
    }
    if (hadMap)
        CopyAttributes(file, old);
    int err = 0;
    try {
        ArchiveWriter out(file);
        // The disk starts on what is written while the rest is still being laid
        // out, so the sync at the end has little left to wait for.
        std::uint64_t started = 0;
        out.SetFlushHook([&](std::uint64_t flushed) {
            if (flushed - started >= kWritebackStep) {
                ops.StartWriteback(file, started, flushed - started);
                started = flushed;
            }
        });
        WriteMap(out, store, picture);
        if (!out.Flush())
            err = errno != 0 ? errno : EIO;
    } catch (const std::bad_alloc&) {
        err = ENOMEM;
    }
    if (const int closeErr = ops.SyncAndClose(file); err == 0)
        err = closeErr;
    if (err != 0) {
        ops.Remove(tempPath);
        error = err == ENOMEM ? "No hay memoria suficiente para guardar el mapa."
                              : ReasonFor(err, target, folder);
        return false;
    }

    // The old content keeps a second name while the new file takes its place:
    // a hard link where the disk has them, a rename where it has not.
    bool movedAside = false;
    OldContent oldContent;
    if (hadMap) {
        err = ops.Link(target, backup);
        if (err != 0 && LinksUnsupported(err)) {
            err = ops.Rename(target, backup);
            movedAside = err == 0;
        }
        if (err == 0)
            oldContent.Hold(backup, folder);
        if (err != 0) {
            ops.Remove(tempPath);
            error = err == EEXIST ? StaleBackupReason(backup) : ReasonFor(err, target, folder);
            return false;
        }
    }
    err = ops.Rename(tempPath, target);
    if (err != 0) {
        ops.Remove(tempPath);
        error = ReasonFor(err, target, folder);
        if (movedAside && ops.Rename(backup, target) != 0)
            error += " El mapa anterior quedó en " + backup + ".";
        else if (hadMap && !movedAside)
            ops.Remove(backup);
        return false;
    }
    if (hadMap && ops.Remove(backup) == 0)
        oldContent.LetGo();
    ops.SyncFolder(folder);
    error.clear();
    return true;
}

bool SaveMapFile(const MapStore& store, const std::string& mapPath,
                 std::span<const std::uint8_t> picture, std::string& error) {
    FileOps ops;
    return SaveMapFile(store, mapPath, picture, error, ops);
}

bool WriteMapCopy(const MapStore& store, const std::string& path,
                  std::span<const std::uint8_t> picture, std::string& error) {
    const std::string folder = FolderOf(path);
    const std::string tempPath = path + ".tmp";
    // Left by a write that was cut short; only this copy's writer uses the name.
    ::unlink(tempPath.c_str());
    FileOps ops;
    std::FILE* file = nullptr;
    if (const int err = ops.CreateNew(tempPath, 0600, file)) {
        error = ReasonFor(err, path, folder);
        return false;
    }
    int err = 0;
    try {
        ArchiveWriter out(file);
        WriteMap(out, store, picture);
        if (!out.Flush())
            err = errno != 0 ? errno : EIO;
    } catch (const std::bad_alloc&) {
        err = ENOMEM;
    }
    if (const int closeErr = ops.SyncAndClose(file); err == 0)
        err = closeErr;
    if (err == 0)
        err = ops.Rename(tempPath, path);
    if (err != 0) {
        ops.Remove(tempPath);
        error = err == ENOMEM ? "No hay memoria suficiente para guardar el mapa."
                              : ReasonFor(err, path, folder);
        return false;
    }
    ops.SyncFolder(folder);
    error.clear();
    return true;
}
