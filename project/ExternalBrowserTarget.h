#pragma once

#include <string>

namespace tavel {

class Workspace;

// What "Open in external browser" hands to the system: for an open project
// the "file:" location of its index.htm; for the default project the
// template page as a plain path.
std::string ExternalBrowserTarget(const Workspace& workspace);

}  // namespace tavel
