// What a copy run shows while it works, and which actions of its page it
// holds still meanwhile; the server copy page draws it.
#pragma once

#include <cstddef>
#include <string>

class CopyDisplay {
  public:
    virtual ~CopyDisplay() = default;
    // The run starts: only Cancel answers, an empty progress bar shows.
    virtual void Begin() = 0;
    virtual void SetTitle(std::string title) = 0;
    // File `number` of `count` is being copied.
    virtual void ShowFile(const std::string& name, std::size_t number, std::size_t count) = 0;
    // Shows the newest state at once, also in the middle of a large file.
    virtual void Refresh() = 0;
    // The image was not found: Next answers again, nothing else changes.
    virtual void AllowNextOnly() = 0;
    // The run is over: the progress display goes and the page answers again.
    virtual void End() = 0;
};
