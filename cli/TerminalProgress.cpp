#include "cli/TerminalProgress.h"

#include <unistd.h>

#include <cstdio>

namespace tavel {
namespace {

constexpr std::chrono::milliseconds kStep{100};

}  // namespace

TerminalProgress::TerminalProgress(std::string what) : what_(std::move(what)), terminal_(::isatty(STDERR_FILENO) == 1) {}

TerminalProgress::~TerminalProgress() {
    // "\r" and the erase-line sequence leave the line free for what follows.
    if (shown_) std::fputs("\r\x1b[K", stderr);
}

void TerminalProgress::Show(size_t done, size_t total) {
    if (!terminal_) return;
    const auto now = std::chrono::steady_clock::now();
    if (shown_ && now - last_ < kStep && done != total) return;
    last_ = now;
    shown_ = true;
    std::fprintf(stderr, "\r%s: %zu of %zu", what_.c_str(), done, total);
    std::fflush(stderr);
}

}  // namespace tavel
