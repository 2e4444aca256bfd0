// The calling thread's last system error, in words, in the trace log.
#pragma once

// "Start" and "End" under "PrintError" around "<operation> failed with error <code>: <text>" under
// "NativeScreenUtil".
void traceLastError(const char* operation);

// The same message under "DisplayError", without Start and End lines (used by the hook installers).
void traceLastErrorForDisplay(const char* operation);
