#pragma once

// Saving a map file so that it is never missing or half-written: the new
// content goes to a temporary file beside the map, reaches the disk, and takes
// the map's name in one rename while the old content keeps a backup name. It
// works on disks without hard links (FAT, exFAT, many network shares), through
// a symbolic link, keeps the file's permission bits, and says why it failed.

#include "file_guard.h"
#include "map_store.h"

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

// The file operations a save makes, overridable so that every failure can be
// tested. Each returns 0 or the errno value of the failure.
class FileOps {
public:
    virtual ~FileOps() = default;
    // A new file that must not exist yet, with the permission bits `mode`.
    virtual int CreateNew(const std::string& path, unsigned mode, std::FILE*& file);
    virtual int SyncAndClose(std::FILE* file);
    virtual int Link(const std::string& from, const std::string& to);
    virtual int Rename(const std::string& from, const std::string& to);
    virtual int Remove(const std::string& path);
    // Makes the names in `folder` (renames, removals) reach the disk.
    virtual int SyncFolder(const std::string& folder);
    // Asks the disk to start on `length` bytes of `file` from `offset` while the
    // rest is still being written; a hint, so it says nothing of failures.
    virtual void StartWriteback(std::FILE* file, std::uint64_t offset, std::uint64_t length);
};

// The first line of every message about a failed save.
const char* SaveErrorText(); // "- Error al guardar -", a key in the catalogue

struct SaveOptions {
    // A map the user may not write (mode 0444) is only replaced when asked
    // to; it keeps its mode then.
    bool replaceReadOnly = false;
};

// Saves the store with `picture` to `mapPath`; a symbolic link is followed and
// its target replaced, unless another user may have planted it (see
// TrustedWriteTarget). Two saves of one map, from two programs, take turns.
// On any failure the previous map file is left whole and byte for byte as it
// was, and `error` says why (without the SaveErrorText() heading).
// The store is not touched: whoever owns it decides whether this write makes
// it "saved".
bool SaveMapFile(const MapStore& store, const std::string& mapPath,
                 std::span<const std::uint8_t> picture, Problem& error, FileOps& ops,
                 const SaveOptions& options = {});
bool SaveMapFile(const MapStore& store, const std::string& mapPath,
                 std::span<const std::uint8_t> picture, Problem& error,
                 const SaveOptions& options = {});

// Writes the store with `picture` to `path`, a copy the program keeps for
// itself (a recovery copy): through `path` + ".tmp", synced, and renamed over
// `path`, so that `path` holds the previous copy or the new one and never a
// part of either. Only the user can read it; no backup is kept and a link at
// `path` is replaced, not followed. False with the reason in `error`.
bool WriteMapCopy(const MapStore& store, const std::string& path,
                  std::span<const std::uint8_t> picture, Problem& error);

// The backup name the old content has while a save of `mapPath` is under way.
std::string BackupPath(const std::string& mapPath);
