// Where the program keeps its files: the directory of the running executable and the
// download folder "酷狗下载库" beside it. Texts are code page 936.
#pragma once
#include <string>

namespace tunelark {

// Directory of the running program, without a trailing backslash.
std::string ProgramDirectory();

// ProgramDirectory() + "\酷狗下载库" (no trailing backslash).
std::string DownloadFolderPath();

// Creates the download folder (one level). An existing folder is not an error.
void CreateDownloadFolder();

}  // namespace tunelark
