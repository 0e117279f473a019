#include "dao.h"

CDaoException::CDaoException(long code, const std::string& source, const std::string& description)
    : m_pErrorInfo(&info_) {
    info_.m_lErrorCode = code;
    info_.m_strSource = source;
    info_.m_strDescription = description;
}
