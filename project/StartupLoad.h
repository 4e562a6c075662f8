#pragma once

#include <string>
#include <vector>

namespace tavel {

class Preview;
class Workspace;

struct StartupLoadResult {
    // Template files that could not be read, each with its reason (their
    // texts were left empty), and a menu too large to read whole.
    std::vector<std::string> failures;
    bool treeBuilt = false;
};

// The default project at program start: clean and unnamed, the preview on
// the template page, the four texts read from the template folder and the
// tree rebuilt from the menu data script. Each text is read on its own, so
// one missing file costs only its own text, and the tree is built only from
// a script that was really read: a later save then never writes empty texts
// over template files that were never loaded.
StartupLoadResult LoadDefaultProject(Workspace& workspace, Preview& preview);

// The one message that names every template file that could not be read.
std::string StartupFailureMessage(const std::vector<std::string>& failures);

}  // namespace tavel
