#pragma once

#include <string>

namespace tavel {

// The embedded browser as the core sees it. Locations are kept in the
// program's own form ("file:" and three backslashes before a path, or
// "file:///"); the window side turns them into URLs.
class Preview {
public:
    virtual ~Preview() = default;
    virtual void Navigate(const std::string& location) = 0;
    virtual void Reload() = 0;
};

// For a run without a window: there is nothing to show.
class NoPreview : public Preview {
public:
    void Navigate(const std::string&) override {}
    void Reload() override {}
};

}  // namespace tavel
