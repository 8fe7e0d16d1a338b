// Names of new temporary files ("QVPR" prefix); the system creates each file empty.
#pragma once

// out must hold MAX_PATH characters. False (GetLastError set) when the system refused.
bool FioMakeTempName(const char* dir, char* out);
// A new temporary file in the system's temporary folder.
bool FioMakeSystemTempName(char* out);
