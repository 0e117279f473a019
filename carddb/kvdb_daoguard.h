// Turning a caught DAO exception into the DAO error report and a result.
#pragma once
#include <new>

#include "dao.h"
#include "kvdb_error.h"

// Shows the exception through the DAO error report and frees it.
inline void ReportDaoError(CDaoException* e) {
    ReportDaoError(static_cast<int>(e->GetErrorCode()), e->GetSource().c_str(), e->GetDescription().c_str());
    e->Delete();
}

// Runs body; a DAO exception is reported and gives 0, as does running out of memory (nothing
// may cross the library boundary as an exception).
template <class Body>
int GuardDao(Body&& body) {
    try {
        return body();
    } catch (CDaoException* e) {
        ReportDaoError(e);
    } catch (const std::bad_alloc&) {}
    return 0;
}
