#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace tavel {

// Progress of a long command on standard error, on one line that is
// rewritten in place, and only when standard error is a terminal: a script
// or a CI log gets no progress lines. Told as often as the work likes, it
// writes at most a few times a second; the line goes when the object does.
class TerminalProgress {
public:
    explicit TerminalProgress(std::string what);
    ~TerminalProgress();
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    void Show(size_t done, size_t total);

private:
    std::string what_;
    bool terminal_ = false;
    bool shown_ = false;
    std::chrono::steady_clock::time_point last_{};
};

}  // namespace tavel
