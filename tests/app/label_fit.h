// Whether the texts of a window's controls fit them: each label, check box, radio button,
// group box and push button text measured in the control's own font against its size.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

struct LabelCut {
    std::string Where, Text;
    int Needed, Has;
};

// Checks one control, its text measured in the font given, or without one in the control's own
// (which only a control of this process can lend); false for controls without a text label
// (pictures, frames, owner-drawn buttons, edits, lists), whose room is not checked.
bool CheckControlLabel(HWND control, const std::string& where, std::vector<LabelCut>* cuts, HFONT font = nullptr);
// Checks every shown child control of the window; the number of labels checked.
int CheckChildLabels(HWND window, const std::string& where, std::vector<LabelCut>* cuts, HFONT font = nullptr);
// The font the dialog manager gives a dialog of the module's template, made in this process
// (another process's font handle cannot be used here); the caller deletes it.
HFONT TemplateDialogFont(HMODULE module, int templateId);
// One line per cut text: where, the text, the room it needs and the room it has.
std::string DescribeCuts(const std::vector<LabelCut>& cuts);
