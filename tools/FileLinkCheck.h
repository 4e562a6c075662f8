#pragma once

#include "tools/LinkResult.h"

#include <string>
#include <string_view>

namespace tavel {

// Checks a link to a file beside the project's page. `path` is the link as
// ClassifyLink gives it ("/" between folders, decoded), `folder` the folder
// the page lies in. The web server matches names letter for letter, so a
// file found only when letter case is ignored is broken, and the result
// names the spelling that would work. A link leaving the folder ("../") is
// checked all the same and says so: the site will hardly carry it along.
// A folder stands for its index page.
LinkResult CheckFileLink(const std::string& folder, std::string_view path);

}  // namespace tavel
