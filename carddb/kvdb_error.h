// The one report the engine gives for a database error it caught.
#pragma once

// Formats "DAO error %d, SOURCE = %s, DESCR = %s" and shows it in an OK message box. Null texts
// are shown as empty.
void ReportDaoError(int errorNumber, const char* source, const char* description);
