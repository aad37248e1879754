// The two folder look-ups of the install layout: the program's own folder and the machine's
// shared documents folder.
#pragma once

#include "CString.h"

// The folder of the running executable, without a trailing backslash ("D:" for an executable
// at a drive's root). False, with dir unchanged, when the path does not fit 259 characters or
// holds no backslash.
bool GetProgramDirectory(CString& dir);

// The all-users documents folder; empty when the shell cannot resolve it.
void GetSharedDocumentsFolder(CString& path);
