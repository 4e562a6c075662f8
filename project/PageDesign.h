#pragma once

#include "design/PageDesignSettings.h"
#include "design/StyleRules.h"

#include <string_view>
#include <vector>

namespace tavel {

class Preview;
class Workspace;

// Rewrites the rule in the project's style sheet, saves the style sheet (to
// the open project or the template folder) and reloads the preview.
void WriteStyleRule(Workspace& workspace, Preview& preview, std::string_view selector,
                    const StyleRuleSettings& settings);

// The page design values of the open project's style sheet and runtime
// script, over the values `shown` from the last use.
PageDesignSettings ReadPageDesign(const Workspace& workspace, const std::vector<std::string>& buttonEntries,
                                  const PageDesignSettings& shown);

// Applies the page design to the open project (or the template folder):
// gaps.ini, and for a colour scheme style.ini and the scheme's two files,
// and the button image a project folder gets, are all read first, so a file
// that cannot be read (FileError naming it) changes nothing, in memory or on
// disk. Then the button image, sys.js and stt.css are each written once, and
// the preview reloads once. The modified flag is left alone.
void ApplyPageDesign(Workspace& workspace, Preview& preview, const PageDesignSettings& settings);

}  // namespace tavel
