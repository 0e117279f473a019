// Whether a TWAIN acquisition is open. The capture code opens and closes the manager and the
// source and keeps these two flags; the shell only asks.
#include "shell.h"

int IsTwainManagerOpen(void) { return App.TwainManagerOpen; }

int IsTwainSourceOpen(void) { return App.TwainSourceOpen; }
