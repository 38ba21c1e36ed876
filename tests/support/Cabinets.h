// The cabinets made by gcab at build time and what cabextract found in them.
#pragma once

#include <string>
#include <vector>

namespace testing_support {

// Full path of a built cabinet ("folders_mszip" -> ...\folders_mszip.cab).
std::string BuiltCabinet(const std::string& name);
// File names cabextract lists for the cabinet, with "\" as separator.
std::vector<std::string> ReferenceListing(const std::string& name);
// The contents cabextract extracted for one listed file.
std::string ReferenceContents(const std::string& name, const std::string& file);

}  // namespace testing_support
