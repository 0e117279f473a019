// Two questions start-up asks of Windows: is the user restricted, and did a scanner's push
// button start the program.
#include "shell.h"
#include <sti.h>
#include <stdio.h>

static BOOL GetVersionInfo(OSVERSIONINFOA* info) {
    ZeroMemory(info, sizeof *info);
    info->dwOSVersionInfoSize = sizeof *info;
    return GetVersionExA(info);
}

int IsNT5OrLater(void) {
    OSVERSIONINFOA info;
    return GetVersionInfo(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion >= 5;
}

int IsWindowsNT4(void) {
    OSVERSIONINFOA info;
    return GetVersionInfo(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion == 4;
}

static HANDLE OpenCallerToken(void) {
    HANDLE token = NULL;
    if (OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token)) return token;
    if (GetLastError() != ERROR_NO_TOKEN) return NULL;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return token;
    return NULL;
}

// Asks AccessCheck whether the caller's token holds the built-in alias: a descriptor whose
// only ACE grants read to that alias lets the token read exactly when it is a member.
static int IsUserInAlias(DWORD aliasRid) {
    if (!ImpersonateSelf(SecurityImpersonation)) return 0;
    int result = 0;
    HANDLE token = OpenCallerToken();
    PSID sid = NULL;
    PACL acl = NULL;
    PSECURITY_DESCRIPTOR descriptor = NULL;
    SID_IDENTIFIER_AUTHORITY ntAuthority = {SECURITY_NT_AUTHORITY};
    if (token &&
        AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, aliasRid, 0, 0, 0, 0, 0, 0, &sid)) {
        DWORD aclSize = sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(sid) - sizeof(DWORD);
        descriptor = (PSECURITY_DESCRIPTOR)LocalAlloc(LPTR, SECURITY_DESCRIPTOR_MIN_LENGTH);
        acl = (PACL)LocalAlloc(LPTR, aclSize);
        if (descriptor && acl && InitializeSecurityDescriptor(descriptor, SECURITY_DESCRIPTOR_REVISION) &&
            InitializeAcl(acl, aclSize, ACL_REVISION2) && AddAccessAllowedAce(acl, ACL_REVISION2, 3, sid) &&
            SetSecurityDescriptorDacl(descriptor, TRUE, acl, FALSE) &&
            SetSecurityDescriptorOwner(descriptor, sid, FALSE) && SetSecurityDescriptorGroup(descriptor, sid, FALSE) &&
            IsValidSecurityDescriptor(descriptor)) {
            GENERIC_MAPPING mapping = {1, 2, 0, 3};
            BYTE privileges[20];
            DWORD privilegesSize = sizeof privileges;
            DWORD granted = 0;
            BOOL status = FALSE;
            if (AccessCheck(descriptor, token, 1, &mapping, (PPRIVILEGE_SET)privileges, &privilegesSize, &granted,
                            &status)) {
                result = status ? 1 : 0;
            } else {
                char text[64];
                snprintf(text, sizeof text, "AccessCheck() failed with error %lu\n", GetLastError());
                OutputDebugStringA(text);
            }
        }
    }
    RevertToSelf();
    if (acl) LocalFree(acl);
    if (descriptor) LocalFree(descriptor);
    if (sid) FreeSid(sid);
    if (token) CloseHandle(token);
    return result;
}

int IsUserAdministrator(void) { return IsUserInAlias(DOMAIN_ALIAS_RID_ADMINS); }

int IsUserPowerUser(void) { return IsUserInAlias(DOMAIN_ALIAS_RID_POWER_USERS); }

static int StillImageServiceExists(void) {
    OSVERSIONINFOA info;
    if (!GetVersionInfo(&info)) return 0;
    if (info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS)
        return info.dwMajorVersion > 4 || (info.dwMajorVersion == 4 && info.dwMinorVersion != 0);
    return info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion > 4;
}

typedef HRESULT(WINAPI* StiCreateInstanceFn)(HINSTANCE, DWORD, IStillImageA**, LPUNKNOWN);

// 1 with the device's TWAIN data source name when a device event launched the program.
int CheckStillImageLaunch(char* dataSource, int registerLaunch) {
    if (!StillImageServiceExists()) return 0;
    HMODULE sti = LoadLibraryA("sti.dll");
    if (!sti) return 0;
    int launched = 0;
    StiCreateInstanceFn create = (StiCreateInstanceFn)(void*)GetProcAddress(sti, "StiCreateInstanceA");
    IStillImageA* still = NULL;
    if (create && SUCCEEDED(create(App.Instance, STI_VERSION, &still, NULL)) && still) {
        if (registerLaunch) {
            char module[MAX_PATH];
            GetModuleFileNameA(App.Instance, module, sizeof module);
            still->RegisterLaunchApplication((LPSTR) "Nimbra", module);
        }
        char device[STI_MAX_INTERNAL_NAME_LENGTH + 1] = "";
        char eventName[65] = "";
        DWORD eventCode = 0;
        if (SUCCEEDED(still->GetSTILaunchInformation(device, &eventCode, eventName))) {
            BYTE value[34] = {0};
            DWORD type = REG_SZ, size = sizeof value;
            still->GetDeviceValue(device, "TwainDS", &type, value, &size);
            value[sizeof value - 1] = 0;
            lstrcpynA(dataSource, (const char*)value, sizeof value);
            launched = 1;
        }
        still->Release();
    }
    FreeLibrary(sti);
    return launched;
}
