// OVZEMWCE: started on the handheld with the path of a transfer file as its whole command
// line, adds the cards the contact store does not hold yet, and ends without a window.
#include <winsock2.h>
#include <windows.h>
#include "ce_contact_import.h"
#include "ovzemwce_resources.h"

namespace {

// The application object: its start-up does all the work and ends the program.
class CZemWceApp {
public:
    explicit CZemWceApp(HINSTANCE instance) : instance_(instance) {}

    // Always FALSE: there is no message loop to run.
    BOOL InitInstance() {
        WSADATA sockets;
        if (WSAStartup(MAKEWORD(1, 1), &sockets) != 0) {
            wchar_t text[128] = L"";
            LoadStringW(instance_, IDS_SOCKETS_FAILED, text, 128);
            MessageBoxW(nullptr, text, nullptr, MB_OK);
            return FALSE;
        }
        cecompanion::RunCompanion(cecompanion::TransferFileOf(GetCommandLineW()));
        WSACleanup();
        return FALSE;
    }

private:
    HINSTANCE instance_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    CZemWceApp app(instance);
    app.InitInstance();
    return 0;
}
