#pragma once

#include <cstddef>
#include <string_view>

namespace tavel {

// How deep browsers nest the elements they build: past this depth they hang
// every further element beside the last one instead of inside it.
inline constexpr size_t kBrowserNestingLimit = 512;

// Whether the page nests elements deeper than `limit`. The HTML parser's
// tree building slows with the square of the nesting, so a page is measured
// with this before it is parsed: start tags open, end tags close what they
// match, void elements and the contents of comments, scripts, styles and
// the like open nothing, and a list item, paragraph, table cell or row,
// option or definition term closes the one of its kind still open, as
// browsers do. An estimate, not a parse: it never finds anything in the
// page, and it errs towards the deeper reading only where browsers repair
// markup in ways it does not follow. It stops reading as soon as the
// limit is passed.
bool NestsDeeperThan(std::string_view page, size_t limit = kBrowserNestingLimit);

}  // namespace tavel
