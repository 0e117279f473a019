// Lets a test see which engine calls were made, in which order.
#pragma once

// Appends the line to the file named by the environment variable TVRKSDK_TRACE, when set.
void TraceEngineCall(const char* line);
