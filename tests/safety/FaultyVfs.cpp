#include "FaultyVfs.h"

#include <sqlite3.h>

#include <cstring>

namespace {

sqlite3_vfs* g_real = nullptr;
sqlite3_vfs g_vfs;
sqlite3_io_methods g_methods;
FaultyVfs::Op g_op = FaultyVfs::Op::Write;
int g_countdown = 0; // 0: disarmed
bool g_struck = false;

struct File {
    sqlite3_file base;
    sqlite3_file* real;
};

sqlite3_file* real(sqlite3_file* f)
{
    return reinterpret_cast<File*>(f)->real;
}

bool strikes(FaultyVfs::Op op)
{
    if (g_countdown == 0 || op != g_op)
        return false;
    if (--g_countdown > 0)
        return false;
    g_struck = true;
    return true;
}

int fClose(sqlite3_file* f)
{
    const int rc = real(f)->pMethods->xClose(real(f));
    return rc;
}
int fRead(sqlite3_file* f, void* b, int n, sqlite3_int64 o) { return real(f)->pMethods->xRead(real(f), b, n, o); }
int fWrite(sqlite3_file* f, const void* b, int n, sqlite3_int64 o)
{
    if (strikes(FaultyVfs::Op::Write))
        return SQLITE_IOERR_WRITE;
    return real(f)->pMethods->xWrite(real(f), b, n, o);
}
int fTruncate(sqlite3_file* f, sqlite3_int64 s) { return real(f)->pMethods->xTruncate(real(f), s); }
int fSync(sqlite3_file* f, int flags)
{
    if (strikes(FaultyVfs::Op::Sync))
        return SQLITE_IOERR_FSYNC;
    return real(f)->pMethods->xSync(real(f), flags);
}
int fFileSize(sqlite3_file* f, sqlite3_int64* s) { return real(f)->pMethods->xFileSize(real(f), s); }
int fLock(sqlite3_file* f, int l) { return real(f)->pMethods->xLock(real(f), l); }
int fUnlock(sqlite3_file* f, int l) { return real(f)->pMethods->xUnlock(real(f), l); }
int fCheckReserved(sqlite3_file* f, int* r) { return real(f)->pMethods->xCheckReservedLock(real(f), r); }
int fFileControl(sqlite3_file* f, int op, void* a) { return real(f)->pMethods->xFileControl(real(f), op, a); }
int fSectorSize(sqlite3_file* f) { return real(f)->pMethods->xSectorSize(real(f)); }
int fDevice(sqlite3_file* f) { return real(f)->pMethods->xDeviceCharacteristics(real(f)); }
int fShmMap(sqlite3_file* f, int i, int sz, int e, void volatile** p) { return real(f)->pMethods->xShmMap(real(f), i, sz, e, p); }
int fShmLock(sqlite3_file* f, int o, int n, int fl) { return real(f)->pMethods->xShmLock(real(f), o, n, fl); }
void fShmBarrier(sqlite3_file* f) { real(f)->pMethods->xShmBarrier(real(f)); }
int fShmUnmap(sqlite3_file* f, int d) { return real(f)->pMethods->xShmUnmap(real(f), d); }
int fFetch(sqlite3_file* f, sqlite3_int64 o, int n, void** p) { return real(f)->pMethods->xFetch(real(f), o, n, p); }
int fUnfetch(sqlite3_file* f, sqlite3_int64 o, void* p) { return real(f)->pMethods->xUnfetch(real(f), o, p); }

int vOpen(sqlite3_vfs*, const char* name, sqlite3_file* f, int flags, int* outFlags)
{
    File* file = reinterpret_cast<File*>(f);
    file->real = reinterpret_cast<sqlite3_file*>(file + 1);
    file->base.pMethods = nullptr;
    const int rc = g_real->xOpen(g_real, name, file->real, flags, outFlags);
    if (file->real->pMethods) {
        g_methods.iVersion = file->real->pMethods->iVersion;
        file->base.pMethods = &g_methods;
    }
    return rc;
}
int vDelete(sqlite3_vfs*, const char* n, int s) { return g_real->xDelete(g_real, n, s); }
int vAccess(sqlite3_vfs*, const char* n, int f, int* r) { return g_real->xAccess(g_real, n, f, r); }
int vFullPathname(sqlite3_vfs*, const char* n, int sz, char* out) { return g_real->xFullPathname(g_real, n, sz, out); }
void* vDlOpen(sqlite3_vfs*, const char* n) { return g_real->xDlOpen(g_real, n); }
void vDlError(sqlite3_vfs*, int n, char* m) { g_real->xDlError(g_real, n, m); }
void (*vDlSym(sqlite3_vfs*, void* h, const char* s))(void) { return g_real->xDlSym(g_real, h, s); }
void vDlClose(sqlite3_vfs*, void* h) { g_real->xDlClose(g_real, h); }
int vRandomness(sqlite3_vfs*, int n, char* out) { return g_real->xRandomness(g_real, n, out); }
int vSleep(sqlite3_vfs*, int us) { return g_real->xSleep(g_real, us); }
int vCurrentTime(sqlite3_vfs*, double* t) { return g_real->xCurrentTime(g_real, t); }
int vGetLastError(sqlite3_vfs*, int n, char* m) { return g_real->xGetLastError(g_real, n, m); }
int vCurrentTimeInt64(sqlite3_vfs*, sqlite3_int64* t) { return g_real->xCurrentTimeInt64(g_real, t); }

} // namespace

FaultyVfs::FaultyVfs()
{
    g_real = sqlite3_vfs_find(nullptr);
    std::memset(&g_vfs, 0, sizeof g_vfs);
    g_vfs.iVersion = 2;
    g_vfs.szOsFile = int(sizeof(File)) + g_real->szOsFile;
    g_vfs.mxPathname = g_real->mxPathname;
    g_vfs.zName = "faulty";
    g_vfs.xOpen = vOpen;
    g_vfs.xDelete = vDelete;
    g_vfs.xAccess = vAccess;
    g_vfs.xFullPathname = vFullPathname;
    g_vfs.xDlOpen = vDlOpen;
    g_vfs.xDlError = vDlError;
    g_vfs.xDlSym = vDlSym;
    g_vfs.xDlClose = vDlClose;
    g_vfs.xRandomness = vRandomness;
    g_vfs.xSleep = vSleep;
    g_vfs.xCurrentTime = vCurrentTime;
    g_vfs.xGetLastError = vGetLastError;
    g_vfs.xCurrentTimeInt64 = vCurrentTimeInt64;

    g_methods = sqlite3_io_methods{};
    g_methods.xClose = fClose;
    g_methods.xRead = fRead;
    g_methods.xWrite = fWrite;
    g_methods.xTruncate = fTruncate;
    g_methods.xSync = fSync;
    g_methods.xFileSize = fFileSize;
    g_methods.xLock = fLock;
    g_methods.xUnlock = fUnlock;
    g_methods.xCheckReservedLock = fCheckReserved;
    g_methods.xFileControl = fFileControl;
    g_methods.xSectorSize = fSectorSize;
    g_methods.xDeviceCharacteristics = fDevice;
    g_methods.xShmMap = fShmMap;
    g_methods.xShmLock = fShmLock;
    g_methods.xShmBarrier = fShmBarrier;
    g_methods.xShmUnmap = fShmUnmap;
    g_methods.xFetch = fFetch;
    g_methods.xUnfetch = fUnfetch;
    disarm();
    sqlite3_vfs_register(&g_vfs, 1);
}

FaultyVfs::~FaultyVfs()
{
    disarm();
    sqlite3_vfs_unregister(&g_vfs);
    sqlite3_vfs_register(g_real, 1);
}

void FaultyVfs::failAt(Op op, int n)
{
    g_op = op;
    g_countdown = n;
    g_struck = false;
}

bool FaultyVfs::struck() const
{
    return g_struck;
}
