#pragma once

#include <stdexcept>
#include <string>

namespace tavel {

// Raised by every failed file or folder operation. The message always names
// the file, so the top-level handler can show it as it stands.
class FileError : public std::runtime_error {
public:
    FileError(const std::string& message, std::string path)
        : std::runtime_error(message), path_(std::move(path)) {}

    const std::string& path() const noexcept { return path_; }

private:
    std::string path_;
};

}  // namespace tavel
