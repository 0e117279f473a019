// Messages to the application: the source tells the manager (DG_CONTROL/DAT_NULL with the
// application as destination), and the manager hands the message to the application's next
// DAT_EVENT/MSG_PROCESSEVENT. Only a manager that does not take the message that way leaves
// it to the source's own answer to MSG_PROCESSEVENT, so that it reaches the application once.
#include "source.h"

static uint16_t PendingEvent = TW_MSG_NULL;

static TwainEntryFn ManagerEntry(void) {
    HMODULE manager = GetModuleHandleA("twain_32.dll");
    if (!manager) return nullptr;
    TwainEntryFn entry = (TwainEntryFn)(void*)GetProcAddress(manager, "DSM_Entry");
    return entry ? entry : (TwainEntryFn)(void*)GetProcAddress(manager, MAKEINTRESOURCEA(1));
}

void NotifyApplication(uint16_t message) {
    TwainEntryFn entry = ManagerEntry();
    uint16_t rc =
        entry ? entry(&Session.Self, &Session.Application, TW_DG_CONTROL, TW_DAT_NULL, message, nullptr) : TWRC_FAILURE;
    PendingEvent = rc == TWRC_SUCCESS ? TW_MSG_NULL : message;
    LogTriplet(TW_DG_CONTROL, TW_DAT_NULL, message, rc, "to the application");
}

void ForgetPendingEvent(void) { PendingEvent = TW_MSG_NULL; }

// A manager that forwards the application's events asks here: the dialog's keyboard
// messages and the message waiting for the application are the source's.
uint16_t OnProcessEvent(TwEvent* event) {
    MSG* msg = (MSG*)event->pEvent;
    uint16_t rc = TWRC_NOTDSEVENT;
    if (Session.Dialog && msg && IsDialogMessageA(Session.Dialog, msg)) rc = TWRC_DSEVENT;
    event->TWMessage = PendingEvent;
    if (PendingEvent != TW_MSG_NULL) rc = TWRC_DSEVENT;
    PendingEvent = TW_MSG_NULL;
    return rc;
}
