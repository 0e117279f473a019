// Built while the dBASE III file module is not part of the tree: dBASE folders cannot be
// opened, and say so.
#include "dao_dbase.h"
#include "dao_errors.h"

namespace daoimpl {

std::unique_ptr<DbaseFolder> OpenDbaseFolder(const std::string& folder, sqlite3** memoryDb) {
    Raise(daoErrOperationNotSupported, kSourceDatabase);
}

}  // namespace daoimpl
