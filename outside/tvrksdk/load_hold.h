#pragma once

// Holds the caller while the file named by TVRKSDK_HOLD_LOAD exists (at most 60 seconds),
// so that a test can look at the program while the database "loads".
void HoldLoadWhileAsked(void);
