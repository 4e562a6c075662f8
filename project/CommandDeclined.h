#pragma once

#include <stdexcept>

namespace tavel {

// The user said No to a question a command asked half-way: the command ends
// at that step with nothing written, like a failure but with nothing to show.
class CommandDeclined : public std::runtime_error {
public:
    CommandDeclined() : std::runtime_error("declined by the user") {}
};

}  // namespace tavel
