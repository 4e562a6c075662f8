#pragma once

#include <stdexcept>

namespace tavel {

// Printing failed: no default printer, or the document could not be written.
class PrintError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace tavel
