#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace tavel {

// The style slots and gap lines of sys.js lie inside block comments that the
// runtime reads as text, so that no value written there can stop the script
// with a syntax error. Only "*/" would end such a comment early: it is stored
// as "*\/", and any "*" already followed by backslashes and "/" gets one
// backslash more, so that the runtime, which takes one away, reads back
// exactly what was written. Values without such a sequence stay as they are.
std::string CommentSafe(std::string_view value);
// What the runtime reads from a stored value: the inverse of CommentSafe.
std::string FromCommentSafe(std::string_view stored);

// A value that cannot go into the runtime's comments at all; the message
// names the value and says that nothing was changed.
class RuntimeValueError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace tavel
