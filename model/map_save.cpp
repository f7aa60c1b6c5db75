#include "map_save.h"

#include "archive.h"
#include "file_guard.h"
#include "map_file.h"
#include "unique_name.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <fcntl.h>
#include <new>
#include <sys/file.h>
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
Problem ReasonFor(int err, const std::string& path, const std::string& folder) {
    switch (err) {
    case ENOSPC:
    case EDQUOT:
        return {MODEL_NOOP("Problem", "No queda espacio libre en el disco de %1."), {folder}};
    case EACCES:
    case EPERM:
        return {MODEL_NOOP("Problem", "No tiene permiso para escribir en %1."), {folder}};
    case EROFS:
        return {MODEL_NOOP("Problem", "El disco de %1 es de solo lectura."), {folder}};
    case EBUSY:
    case ETXTBSY:
        return {MODEL_NOOP("Problem", "El archivo %1 está en uso por otro programa."), {path}};
    case ENOENT:
    case ENOTDIR:
        if (::access(folder.c_str(), F_OK) == 0)
            return {MODEL_NOOP("Problem", "El archivo %1 desapareció mientras se guardaba: otro "
                                          "programa lo movió o lo borró."),
                    {path}};
        return {MODEL_NOOP("Problem", "La carpeta %1 no existe."), {folder}};
    case EIO:
        return {MODEL_NOOP("Problem",
                           "El disco de %1 no respondió bien (error de lectura o escritura)."),
                {folder}};
    case ENAMETOOLONG:
        return {MODEL_NOOP("Problem", "El nombre %1 es demasiado largo."), {path}};
    default:
        return {MODEL_NOOP("Problem", "El sistema no pudo escribir en %1 (código de error %2)."),
                {folder, std::to_string(err)}};
    }
}

Problem NotAMapFileReason(const std::string& target) {
    return {
        MODEL_NOOP("Problem", "%1 no es un archivo: el mapa no se puede guardar con ese nombre."),
        {target}};
}

Problem StaleBackupReason(const std::string& backup) {
    return {MODEL_NOOP("Problem",
                       "Ya existe %1, la copia de seguridad de un guardado anterior que no "
                       "terminó. Compruebe que el mapa está bien, y borre esa copia o cámbiele el "
                       "nombre antes de volver a guardar."),
            {backup}};
}

Problem NoMemoryToSave() {
    return {MODEL_NOOP("Problem", "No hay memoria suficiente para guardar el mapa.")};
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
// its last name is gone. On a local disk the descriptor the save holds keeps
// it until closed, and the close is left to a thread of its own, so a save
// does not wait for it.
void CloseInBackground(int fd, const std::string& folder) {
    if (fd < 0)
        return;
    if (HidesUnlinkedOpenFiles(folder)) {
        try {
            std::thread([fd] { ::close(fd); }).detach();
            return;
        } catch (const std::system_error&) {
        }
    }
    ::close(fd);
}

// How long a save waits for another one of the same map to finish.
constexpr auto kSaveTurnWait = std::chrono::seconds(30);

// Saves of one map take turns: each holds an exclusive lock on the map file it
// is about to replace, and one that waited finds out whether the file it
// waited on is still the map. Without it two programs saving together would
// find each other's backup and temporary names and report faults that are
// not there.
class SaveTurn {
public:
    ~SaveTurn() {
        if (m_fd >= 0)
            ::close(m_fd);
        if (m_newFd >= 0)
            ::close(m_newFd);
    }
    // Takes the turn on `target`; false with the reason. `old` is then what
    // the map file is, and `exists` whether there is one.
    bool Take(const std::string& target, struct stat& old, bool& exists, Problem& error) {
        const auto deadline = std::chrono::steady_clock::now() + kSaveTurnWait;
        for (;;) {
            exists = ::stat(target.c_str(), &old) == 0;
            if (!exists)
                return true; // a new file: nothing to take turns on
            if (!S_ISREG(old.st_mode)) {
                error = NotAMapFileReason(target);
                return false;
            }
            const int fd =
                ::open(target.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
            if (fd < 0) {
                if (errno == ENOENT)
                    continue; // gone since the stat: a new file after all
                return true;  // a map the user may not read is still saved, without a turn
            }
            struct stat locked {};
            if (::fstat(fd, &locked) != 0 || !S_ISREG(locked.st_mode)) {
                ::close(fd);
                error = NotAMapFileReason(target);
                return false;
            }
            int got = ::flock(fd, LOCK_EX | LOCK_NB);
            while (got != 0 && errno == EWOULDBLOCK &&
                   std::chrono::steady_clock::now() < deadline) {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                got = ::flock(fd, LOCK_EX | LOCK_NB);
            }
            if (got != 0 && errno == EWOULDBLOCK) {
                ::close(fd);
                error = {MODEL_NOOP("Problem", "Otro programa lleva más de 30 segundos guardando "
                                               "%1. Espere a que termine y vuelva a guardar."),
                         {target}};
                return false;
            }
            // Where the disk has no such locks, saves go on as they did.
            struct stat now {};
            if (got != 0 || (::stat(target.c_str(), &now) == 0 && now.st_dev == locked.st_dev &&
                             now.st_ino == locked.st_ino)) {
                m_fd = fd;
                old = locked;
                return true;
            }
            // The other save put a new file in place while this one waited.
            ::close(fd);
        }
    }
    // Locks the new file before it takes the map's name: a save that comes
    // after that moment waits on it until this one has cleared its backup,
    // instead of finding the backup and taking it for a failed save's.
    void Extend(const std::string& newFile) {
        if (m_fd < 0)
            return;
        m_newFd =
            ::open(newFile.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
        if (m_newFd >= 0)
            (void)::flock(m_newFd, LOCK_EX | LOCK_NB); // nobody else knows the name yet
    }
    // The lock ends; on a local disk the old content is freed in the background.
    void End(const std::string& folder) {
        CloseInBackground(m_fd, folder);
        m_fd = -1;
        if (m_newFd >= 0)
            ::close(m_newFd);
        m_newFd = -1;
    }

private:
    int m_fd = -1;
    int m_newFd = -1;
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

const char* SaveErrorText() {
    return MODEL_NOOP("Problem", "- Error al guardar -");
}

std::string BackupPath(const std::string& mapPath) {
    return mapPath.substr(0, mapPath.size() - (mapPath.ends_with(".map") ? 4 : 0)) + ".bak";
}

bool SaveMapFile(const MapStore& store, const std::string& mapPath,
                 std::span<const std::uint8_t> picture, Problem& error, FileOps& ops,
                 const SaveOptions& options) {
    const std::string target = TrustedWriteTarget(mapPath, error);
    if (target.empty())
        return false;
    const std::string folder = FolderOf(target);
    const std::string backup = BackupPath(target);
    struct stat old {};
    bool hadMap = false;
    SaveTurn turn;
    if (!turn.Take(target, old, hadMap, error))
        return false;
    if (hadMap && !options.replaceReadOnly && IsReadOnlyFile(target)) {
        error = ReadOnlyFileReason(target);
        return false;
    }
    struct stat st {};
    // A backup left by a save that never finished may be the only good copy.
    if (::lstat(backup.c_str(), &st) == 0) {
        error = StaleBackupReason(backup);
        return false;
    }

    // Another program may take the same free name at the same moment.
    std::string tempPath;
    std::FILE* file = nullptr;
    int err = EEXIST;
    for (int attempt = 0; attempt < 8 && err == EEXIST; ++attempt) {
        const std::string tempName = MakeUniqueFileName(folder, ".tmap", "KR");
        if (tempName.empty()) {
            error = {
                MODEL_NOOP("Problem", "No quedan nombres libres para el archivo temporal en %1."),
                {folder}};
            return false;
        }
        tempPath = folder + tempName;
        // Only the user may open the new file until it has the old one's
        // permissions: a reader let in now would read every byte written later.
        err = ops.CreateNew(tempPath, hadMap ? 0600 : 0666, file);
    }
    if (err != 0) {
        error = ReasonFor(err, target, folder);
        return false;
    }
    if (hadMap)
        CopyAttributes(file, old);
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
        error = err == ENOMEM ? NoMemoryToSave() : ReasonFor(err, target, folder);
        return false;
    }

    // The old content keeps a second name while the new file takes its place:
    // a hard link where the disk has them, a rename where it has not.
    bool movedAside = false;
    if (hadMap) {
        err = ops.Link(target, backup);
        if (err != 0 && LinksUnsupported(err)) {
            err = ops.Rename(target, backup);
            movedAside = err == 0;
        }
        if (err != 0) {
            ops.Remove(tempPath);
            error = err == EEXIST ? StaleBackupReason(backup) : ReasonFor(err, target, folder);
            return false;
        }
    }
    turn.Extend(tempPath);
    err = ops.Rename(tempPath, target);
    if (err != 0) {
        ops.Remove(tempPath);
        error = ReasonFor(err, target, folder);
        if (movedAside && ops.Rename(backup, target) != 0)
            error.then.push_back(
                {MODEL_NOOP("Problem", "El mapa anterior quedó en %1."), {backup}});
        else if (hadMap && !movedAside)
            ops.Remove(backup);
        return false;
    }
    if (hadMap)
        ops.Remove(backup);
    ops.SyncFolder(folder);
    turn.End(folder);
    error.Clear();
    return true;
}

bool SaveMapFile(const MapStore& store, const std::string& mapPath,
                 std::span<const std::uint8_t> picture, Problem& error,
                 const SaveOptions& options) {
    FileOps ops;
    return SaveMapFile(store, mapPath, picture, error, ops, options);
}

bool WriteMapCopy(const MapStore& store, const std::string& path,
                  std::span<const std::uint8_t> picture, Problem& error) {
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
        error = err == ENOMEM ? NoMemoryToSave() : ReasonFor(err, path, folder);
        return false;
    }
    ops.SyncFolder(folder);
    error.Clear();
    return true;
}
