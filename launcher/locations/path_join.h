// Path joining as every launcher stage does it: forward slashes become backslashes and exactly one
// backslash is put between the parts when the first does not already end with one. Nothing else is
// normalised (".." and doubled separators inside a part stay).
#pragma once

#include <initializer_list>
#include <string>

std::string slashesToBackslashes(std::string text);
std::string joinPath(const std::string& path, const std::string& part);
std::string joinPaths(std::initializer_list<std::string> parts);
