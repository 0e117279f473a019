#include "conduit_registration.h"
#include "prefer_app.h"
#include "condmgr.h"
#include "hsapi.h"
#include <string.h>
#include <string>

namespace {

const char* const kCreator = "addr";
const char* const kZemSyncFile = "ZemSync.DLL";

// The conduit manager, loaded at run time so that a machine without it still runs; every
// call must be there or none is made.
class ConduitManager {
public:
    ConduitManager() : module_(LoadLibraryA(CONDMGR_LIBRARY)) {
        if (!module_) return;
        complete_ = Bind(core_, CONDMGR_CORE_PATH) && Bind(hotSync_, CONDMGR_HOTSYNC_PATH) &&
                    Bind(count_, CONDMGR_COUNT) && Bind(creatorAt_, CONDMGR_CREATOR_AT) &&
                    Bind(fileOf_, CONDMGR_FILE_OF) && Bind(remove_, CONDMGR_REMOVE) &&
                    Bind(install_, CONDMGR_INSTALL) && Bind(setRemote_, CONDMGR_SET_REMOTE_DB) &&
                    Bind(setPriority_, CONDMGR_SET_PRIORITY) && Bind(setFile_, CONDMGR_SET_FILE) &&
                    Bind(setTitle_, CONDMGR_SET_TITLE) && Bind(setFolder_, CONDMGR_SET_FOLDER) &&
                    Bind(setDataFile_, CONDMGR_SET_DATA_FILE);
    }
    ~ConduitManager() {
        if (module_) FreeLibrary(module_);
    }
    ConduitManager(const ConduitManager&) = delete;
    ConduitManager& operator=(const ConduitManager&) = delete;

    // The manager answers: its calls are all there and it says it can be used.
    bool Usable() {
        if (!complete_) return false;
        char core[256];
        int size = sizeof(core);
        core_(core, &size);
        char hotSync[64];
        size = sizeof(hotSync);
        return hotSync_(hotSync, &size) == 0;
    }

    // Whether a conduit is registered for the creator.
    bool HasCreator(const char* creator) {
        int count = count_();
        for (int i = 0; i < count; ++i) {
            char id[64];
            int size = sizeof(id);
            if (creatorAt_(i, id, &size) != 0) continue;
            if (strcmp(id, creator) == 0) return true;
        }
        return false;
    }

    // The conduit file registered for the creator; false when it cannot be read.
    bool FileOf(const char* creator, std::string* file) {
        char path[MAX_PATH];
        int size = sizeof(path);
        if (fileOf_(creator, path, &size) != 0) return false;
        path[sizeof(path) - 1] = '\0';
        *file = path;
        return true;
    }

    int Remove(const char* creator) { return remove_(creator); }
    int Install(const char* creator) { return install_(creator, 0); }

    void Describe(const char* creator, const std::string& file, bool zemSync) {
        setRemote_(creator, "AddressDB");
        setPriority_(creator, 2);
        setFile_(creator, file.c_str());
        setTitle_(creator, zemSync ? "ZemSync" : "Address Book");
        setFolder_(creator, zemSync ? "ZemSync" : "Address");
        if (!zemSync) setDataFile_(creator, "address.dat");
    }

private:
    template <typename Fn>
    bool Bind(Fn& fn, int ordinal) {
        fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, MAKEINTRESOURCEA(ordinal))));
        return fn != nullptr;
    }

    HMODULE module_;
    bool complete_ = false;
    CondMgrBufferFn core_ = nullptr, hotSync_ = nullptr;
    CondMgrVoidFn count_ = nullptr;
    CondMgrIndexFn creatorAt_ = nullptr;
    CondMgrQueryFn fileOf_ = nullptr;
    CondMgrCreatorFn remove_ = nullptr;
    CondMgrSetIntFn install_ = nullptr, setPriority_ = nullptr;
    CondMgrSetTextFn setRemote_ = nullptr, setFile_ = nullptr, setTitle_ = nullptr, setFolder_ = nullptr,
                     setDataFile_ = nullptr;
};

// The name part of a conduit path; a name without a folder is the whole text.
const char* FileNamePart(const std::string& path) {
    size_t slash = path.find_last_of('\\');
    return path.c_str() + (slash == std::string::npos ? 0 : slash + 1);
}

bool RemovalRefused(int code) { return code == -1012 || code == -1006 || code == -1003 || code == -1002; }

}  // namespace

int GetZemConduitState() {
    ConduitManager manager;
    if (!manager.Usable() || !manager.HasCreator(kCreator)) return CONDUIT_UNKNOWN;
    std::string file;
    if (!manager.FileOf(kCreator, &file)) return CONDUIT_UNKNOWN;
    return lstrcmpiA(FileNamePart(file), kZemSyncFile) == 0 ? CONDUIT_ZEMSYNC : CONDUIT_OTHER;
}

int RegisterZemConduit(bool useZemSync) {
    ConduitManager manager;
    if (!manager.Usable()) return 0;
    std::string wanted = useZemSync ? LibraryFolder() + kZemSyncFile : std::string("Addcn30.DLL");
    int result = 0;
    if (manager.HasCreator(kCreator)) {
        result = 1;
        std::string registered;
        manager.FileOf(kCreator, &registered);
        if (lstrcmpiA(registered.c_str(), wanted.c_str()) == 0) return result;
        if (RemovalRefused(manager.Remove(kCreator))) return result;
    }
    if (manager.Install(kCreator) != 0) return 0;
    manager.Describe(kCreator, wanted, useZemSync);
    return result;
}

void ReloadHotSyncConduits() {
    HMODULE module = LoadLibraryA(HSAPI_LIBRARY);
    if (!module) return;
    auto reload = reinterpret_cast<HsRefreshFn>(
        reinterpret_cast<void*>(GetProcAddress(module, MAKEINTRESOURCEA(HSAPI_REFRESH_CONDUITS))));
    if (reload) reload(2, 16);
    FreeLibrary(module);
}
