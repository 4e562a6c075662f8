#pragma once

#include "design/StyleRules.h"

#include <string_view>

namespace tavel {

class Preview;
class Workspace;

// Rewrites the rule in the project's style sheet, saves the style sheet (to
// the open project or the template folder) and reloads the preview.
void WriteStyleRule(Workspace& workspace, Preview& preview, std::string_view selector,
                    const StyleRuleSettings& settings);

}  // namespace tavel
