// A fresh folder under %TEMP% for one test, deleted with everything in it.
#pragma once

#include <string>

namespace testing_support {

class TempFolder {
public:
    TempFolder();
    // A folder nested below the fresh one, such as "\\Łukasz Ayşe\\Downloads":
    // a path as users have them.
    explicit TempFolder(const std::string& nested);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path without a trailing backslash.
    const std::string& path() const { return path_; }
    // path() + "\" + relative.
    std::string operator/(const std::string& relative) const;
    // Writes a file (creating its folders); returns its full path.
    std::string Write(const std::string& relative, const std::string& bytes) const;
    std::string MakeFolder(const std::string& relative) const;

private:
    std::string root_;  // what the destructor deletes
    std::string path_;
};

// The whole file, or "<missing>" when it cannot be read.
std::string ReadFileText(const std::string& path);
bool PathExists(const std::string& path);

}  // namespace testing_support
