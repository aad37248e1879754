// Where the end-to-end tests find the program, the simulator's layouts and their helpers, and the
// files and folders they make: private installs, empty layouts, the shared data folder.
#pragma once

#include <string>
#include <vector>

// The built program, Ferrolite.exe, with its Images folder beside it.
std::wstring ProgramPath();
// The folder holding the helpers (the driver's own folder).
std::wstring HelperPath(const wchar_t* file);
// One of the simulator's install layouts, a folder that stands for CommonProgramFiles.
std::wstring SimLayout(const wchar_t* layout);
// An empty folder of the tests' own that stands for a CommonProgramFiles without Apple's libraries.
std::wstring EmptyLayout();
// The tests' scratch folder (made on first use), and a path in it.
std::wstring WorkPath(const std::wstring& name);
// Where the screenshots are saved (made on first use).
std::wstring ScreenshotPath(const std::wstring& file);

// A copy of the built program in a scratch folder of its own, with the named artwork files left
// out of its Images folder; with withoutImagesFolder, no Images folder at all.
std::wstring MakeInstall(const std::wstring& name, const std::vector<std::wstring>& omittedImages,
                         bool withoutImagesFolder = false);
// The Images folder of an install made by MakeInstall (or of the built program).
std::wstring ImagesFolder(const std::wstring& programPath);

// The machine's shared documents folder and the program's data folder in it.
std::wstring SharedDocumentsFolder();
std::wstring DataFolderPath();

bool IsFolder(const std::wstring& path);
bool IsFile(const std::wstring& path);
bool PathExists(const std::wstring& path);
// Removes a file, or a folder with the files in it; true when nothing of that name is left.
bool RemovePath(const std::wstring& path);
bool WriteTextFile(const std::wstring& path, const std::string& text);
// The whole file, or empty when it cannot be read.
std::string ReadTextFile(const std::wstring& path);

std::string Narrow(const std::wstring& text);
std::wstring Widen(const std::string& utf8);
