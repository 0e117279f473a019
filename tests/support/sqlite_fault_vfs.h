// Writes that fail on request, for tests of what a failed write or a full disk does to an open
// transaction. While a FaultyWrites object lives, it is the default file layer of the test
// program's own SQLite (the one linked into it with the DAO layer): every database opened
// after it was made reads and writes through it.
#pragma once
#include <sqlite3.h>

#include <cstring>

class FaultyWrites {
public:
    FaultyWrites() {
        Self() = this;
        real_ = sqlite3_vfs_find(nullptr);
        vfs_ = *real_;
        vfs_.zName = "faulty_writes";
        vfs_.szOsFile = static_cast<int>(sizeof(ShimFile)) + real_->szOsFile;
        vfs_.xOpen = &Open;
        sqlite3_vfs_register(&vfs_, 1);
    }
    ~FaultyWrites() {
        sqlite3_vfs_register(real_, 1);
        sqlite3_vfs_unregister(&vfs_);
        Self() = nullptr;
    }
    FaultyWrites(const FaultyWrites&) = delete;
    FaultyWrites& operator=(const FaultyWrites&) = delete;

    // From now on every write fails with `code` (SQLITE_IOERR_WRITE, SQLITE_FULL, ...).
    void Fail(int code) { failCode_ = code; }
    // Writes succeed again.
    void Heal() { failCode_ = 0; }

private:
    struct ShimFile {
        sqlite3_file base;
        sqlite3_file* real;
    };

    static FaultyWrites*& Self() {
        static FaultyWrites* self = nullptr;
        return self;
    }
    static sqlite3_file* Real(sqlite3_file* file) { return reinterpret_cast<ShimFile*>(file)->real; }

    static int Open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
        FaultyWrites& self = *Self();
        auto* shim = reinterpret_cast<ShimFile*>(file);
        shim->real = reinterpret_cast<sqlite3_file*>(shim + 1);
        shim->base.pMethods = nullptr;
        const int rc = self.real_->xOpen(self.real_, name, shim->real, flags, outFlags);
        if (rc != SQLITE_OK || !shim->real->pMethods) return rc;
        self.methods_ = *shim->real->pMethods;
        self.realMethods_ = shim->real->pMethods;
        self.methods_.xClose = &Close;
        self.methods_.xRead = &Read;
        self.methods_.xWrite = &Write;
        self.methods_.xTruncate = &Truncate;
        self.methods_.xSync = &Sync;
        self.methods_.xFileSize = &FileSize;
        self.methods_.xLock = &Lock;
        self.methods_.xUnlock = &Unlock;
        self.methods_.xCheckReservedLock = &CheckReservedLock;
        self.methods_.xFileControl = &FileControl;
        self.methods_.xSectorSize = &SectorSize;
        self.methods_.xDeviceCharacteristics = &DeviceCharacteristics;
        // Shared memory and memory mapping are not used by the journal mode of these files.
        self.methods_.iVersion = 1;
        shim->base.pMethods = &self.methods_;
        return SQLITE_OK;
    }
    static const sqlite3_io_methods& M() { return *Self()->realMethods_; }
    static int Close(sqlite3_file* f) { return M().xClose(Real(f)); }
    static int Read(sqlite3_file* f, void* b, int n, sqlite3_int64 at) { return M().xRead(Real(f), b, n, at); }
    static int Write(sqlite3_file* f, const void* b, int n, sqlite3_int64 at) {
        if (const int code = Self()->failCode_) return code;
        return M().xWrite(Real(f), b, n, at);
    }
    static int Truncate(sqlite3_file* f, sqlite3_int64 size) { return M().xTruncate(Real(f), size); }
    static int Sync(sqlite3_file* f, int flags) { return M().xSync(Real(f), flags); }
    static int FileSize(sqlite3_file* f, sqlite3_int64* size) { return M().xFileSize(Real(f), size); }
    static int Lock(sqlite3_file* f, int level) { return M().xLock(Real(f), level); }
    static int Unlock(sqlite3_file* f, int level) { return M().xUnlock(Real(f), level); }
    static int CheckReservedLock(sqlite3_file* f, int* out) { return M().xCheckReservedLock(Real(f), out); }
    static int FileControl(sqlite3_file* f, int op, void* arg) { return M().xFileControl(Real(f), op, arg); }
    static int SectorSize(sqlite3_file* f) { return M().xSectorSize(Real(f)); }
    static int DeviceCharacteristics(sqlite3_file* f) { return M().xDeviceCharacteristics(Real(f)); }

    sqlite3_vfs* real_ = nullptr;
    sqlite3_vfs vfs_{};
    sqlite3_io_methods methods_{};
    const sqlite3_io_methods* realMethods_ = nullptr;
    int failCode_ = 0;
};
