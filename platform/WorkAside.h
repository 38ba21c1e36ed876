// Work that the file system may hold up, done on a thread of the program's
// own while the calling thread keeps its windows answering.
#pragma once

#include <functional>

namespace platform {

// Runs `work` on the helper thread and, until it is done, `between` on this
// thread every hundredth of a second or so: a file whose contents are still
// being written out holds its deletion up until they are, for tenths of a
// second, and the windows must not wait for that. The work's last error is
// this thread's afterwards. `work` must not touch the windows. Called again
// from inside `between`, it runs the work right here.
void RunAside(const std::function<void()>& work, const std::function<void()>& between);

}  // namespace platform
