// Routes one link request by target and direction through the target's connector passes and
// turns what they report into one result code (ferrow.h).
#pragma once
#include "link_connector.h"

namespace ferrow {

class CLinkDispatcher {
public:
    CLinkDispatcher(const char* iniPath, const char* cardDbPath, CardRecV4** cards, int* count)
        : iniPath_(iniPath), cardDbPath_(cardDbPath), cards_(cards), count_(count) {}

    int Run(int linkType, int direction);

private:
    int RunPalm(int direction);
    int RunWindowsCe(int direction);
    int RunOutlook(int direction);
    int RunAct(int direction);
    // Marking pass and export, import, or import then export, by direction.
    int RunPasses(CLinkConnector& connector, int target, int direction);
    int ExportStep(CLinkConnector& connector, int target, bool markFirst);
    int ImportStep(CLinkConnector& connector, int target);
    bool ChooseActDatabase();

    const char* iniPath_;
    const char* cardDbPath_;
    CardRecV4** cards_;
    int* count_;
    LinkSettings settings_{};
};

// The UTF-16 copy of a Windows CE exchange file: "SyncTemp.dat" in the exchange file's folder
// (the current folder when the name has none).
void CeUnicodeFileName(const char* exchangeFile, char* unicodeFile, size_t size);

}  // namespace ferrow
