// Values of the setup image that several pages read: entries of Install.ini
// and the image's version, with the prompt for a missing medium.
#pragma once

#include <string>

std::string InstallIniValue(const char* section, const char* key);
// Version.ini [Common] Version.
std::string ImageVersion();
