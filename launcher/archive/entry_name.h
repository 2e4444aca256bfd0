// The names an archive may give its entries: paths that stay inside the destination folder.
#pragma once

#include <string>

// For a name whose separators are already backslashes: false for an empty name, an absolute path
// ("\..."), a UNC prefix ("\\..."), any ":" (drive letters and alternate data streams), and any
// component made of dots and spaces only ("..", and forms Windows trims to it such as ". ." or
// "..."). Everything else is a path below the destination.
bool isSafeEntryName(const std::string& name);

// "/" to "\", as every entry name is used.
std::string entryNameWithBackslashes(std::string name);
