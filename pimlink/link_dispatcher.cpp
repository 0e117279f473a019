#include "link_dispatcher.h"
#include "outlook_version.h"
#include "ferrow.h"
#include <windows.h>
#include <commdlg.h>
#include <stdio.h>
#include <string.h>

namespace ferrow {

namespace {

int Failure(int target, int step) { return -(target * 1000 + step); }

}  // namespace

int CLinkDispatcher::Run(int linkType, int direction) {
    ReadLinkSettings(iniPath_, linkType, &settings_);
    switch (linkType) {
    case FERROW_LINK_PALM: return RunPalm(direction);
    case FERROW_LINK_WINCE: return RunWindowsCe(direction);
    case FERROW_LINK_OUTLOOK: return RunOutlook(direction);
    case FERROW_LINK_OUTLOOK_EXPRESS: {
        CLinkConnector* connector = FindConnector(ConnectorKind::OutlookExpress);
        return connector ? RunPasses(*connector, 4, direction) : FERROW_NOTHING_DONE;
    }
    case FERROW_LINK_ACT: return RunAct(direction);
    default: return FERROW_NOTHING_DONE;
    }
}

int CLinkDispatcher::RunPalm(int direction) {
    if (settings_.palmMode == 1) {
        CLinkConnector* desktop = FindConnector(ConnectorKind::PalmDesktop);
        return desktop ? RunPasses(*desktop, 1, direction) : FERROW_NOTHING_DONE;
    }
    CLinkConnector* exchange = settings_.palmMode == 0 ? FindConnector(ConnectorKind::PalmExchange) : nullptr;
    if (!exchange) return FERROW_NOTHING_DONE;
    switch (direction) {
    case FERROW_TO_PIM: return ExportStep(*exchange, 1, false);
    case FERROW_FROM_PIM: return ImportStep(*exchange, 1);
    case FERROW_FROM_THEN_TO:
        // Both passes always run here; the HotSync conduit settles the rest.
        exchange->Import(cardDbPath_, cards_, count_, settings_);
        exchange->Export(cardDbPath_, *cards_, *count_, settings_);
        return FERROW_OK;
    default: return FERROW_NOTHING_DONE;
    }
}

int CLinkDispatcher::RunWindowsCe(int direction) {
    CLinkConnector* ce = FindConnector(ConnectorKind::WindowsCe);
    if (!ce || direction != FERROW_TO_PIM) return FERROW_NOTHING_DONE;
    if (!ce->Export(cardDbPath_, *cards_, *count_, settings_)) return FERROW_WINCE_WRITE_FAILED;
    char unicodeFile[MAX_PATH];
    CeUnicodeFileName(settings_.dbFileName, unicodeFile, sizeof(unicodeFile));
    int status = static_cast<int16_t>(ce->HandOff(settings_.dbFileName, unicodeFile));
    if (status == 0) return FERROW_OK;
    // A positive status other than 3 would read as a result of ours (1 is success): only a
    // negative one can be handed on as it is.
    return status < 0 ? status : FERROW_WINCE_TRANSFER_FAILED;
}

int CLinkDispatcher::RunOutlook(int direction) {
    if (!OutlookVersionAccepted()) return FERROW_OUTLOOK_MISSING;
    CLinkConnector* connector = FindConnector(ConnectorKind::Outlook);
    return connector ? RunPasses(*connector, 3, direction) : FERROW_NOTHING_DONE;
}

int CLinkDispatcher::RunAct(int direction) {
    if (!settings_.dbFileName[0]) ChooseActDatabase();
    if (!settings_.dbFileName[0] || GetFileAttributesA(settings_.dbFileName) == INVALID_FILE_ATTRIBUTES)
        return FERROW_ACT_FILE_MISSING;
    CLinkConnector* connector = FindConnector(ConnectorKind::Act);
    if (!connector) return FERROW_NOTHING_DONE;
    if (!connector->Open(settings_.dbFileName)) return FERROW_ACT_NOT_OPENED;
    int result = RunPasses(*connector, 5, direction);
    char chosen[sizeof(settings_.dbFileName)];
    memcpy(chosen, settings_.dbFileName, sizeof(chosen));
    SaveLinkDBFileName(iniPath_, chosen, &settings_.map, FERROW_LINK_ACT);
    return result;
}

bool CLinkDispatcher::ChooseActDatabase() {
    char path[MAX_PATH] = "*.dbf";
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.lpstrFilter = "ACT! Database File (*.dbf)\0*.dbf\0All Files (*.*)\0*.*\0";
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof(path);
    dialog.lpstrDefExt = "dbf";
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameA(&dialog)) return false;
    snprintf(settings_.dbFileName, sizeof(settings_.dbFileName), "%s", path);
    return true;
}

int CLinkDispatcher::RunPasses(CLinkConnector& connector, int target, int direction) {
    switch (direction) {
    case FERROW_TO_PIM: return ExportStep(connector, target, true);
    case FERROW_FROM_PIM: return ImportStep(connector, target);
    case FERROW_FROM_THEN_TO: {
        int imported = ImportStep(connector, target);
        return imported == FERROW_OK ? ExportStep(connector, target, false) : imported;
    }
    default: return FERROW_NOTHING_DONE;
    }
}

int CLinkDispatcher::ExportStep(CLinkConnector& connector, int target, bool markFirst) {
    if (markFirst) connector.MarkPresent(cardDbPath_, *cards_, *count_, settings_);
    return connector.Export(cardDbPath_, *cards_, *count_, settings_) ? FERROW_OK : Failure(target, 2);
}

int CLinkDispatcher::ImportStep(CLinkConnector& connector, int target) {
    return connector.Import(cardDbPath_, cards_, count_, settings_) ? FERROW_OK : Failure(target, 3);
}

void CeUnicodeFileName(const char* exchangeFile, char* unicodeFile, size_t size) {
    const char* slash = strrchr(exchangeFile, '\\');
    int folder = slash ? static_cast<int>(slash - exchangeFile + 1) : 0;
    snprintf(unicodeFile, size, "%.*sSyncTemp.dat", folder, exchangeFile);
}

}  // namespace ferrow
