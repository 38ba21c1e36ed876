// Copying one file of the image while the page keeps answering.
#pragma once

#include <functional>
#include <string>

// Copies one file, letting the windows answer during it as well, so that
// Cancel works in the middle of a large file; `beforeInput` runs first each
// time. A Cancel stops the copy and removes the partial file; when the user
// confirmed ending the wizard, the program then ends. 0, or the Win32 error
// code (kCopyStopped when cancelled); `bytesWritten` receives the copy's size.
unsigned long CopyImageFile(const std::string& source, const std::string& target,
                            const std::function<void()>& beforeInput,
                            unsigned long long& bytesWritten);
