// What the loaded recognition database says about the text the engine reads.
#pragma once

// True after TVRK_load_database for code page 1 (GB2312): pages are read as Simplified Chinese
// (beside English) and their texts are in code page 936.
bool ReadsChinese();
