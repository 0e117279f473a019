// The one report the engine gives for a database error it caught.
#pragma once

// Receives a report in place of the message box (a test seam).
using DaoErrorHook = void(__stdcall*)(int errorNumber, const char* report);

// Formats "DAO error %d, SOURCE = %s, DESCR = %s" and shows it in an OK message box, or hands
// it to the installed hook. Null texts are shown as empty.
void ReportDaoError(int errorNumber, const char* source, const char* description);

// Installs the process-wide hook (null: the message box again); returns the previous one.
DaoErrorHook SetDaoErrorHook(DaoErrorHook hook);
