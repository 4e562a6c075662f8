#pragma once

#include <stdexcept>
#include <string>

namespace tavel {

// A text that should hold a number does not: the command ends and the
// message is shown, as for a file error.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace tavel
