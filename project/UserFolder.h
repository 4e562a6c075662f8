#pragma once

#include "project/StartupLoad.h"

#include <string>

namespace tavel {

class Preview;
class Workspace;

// Installed, the default project is the user's own copy of the shipped one.
// At start this fills the user's template folder from the shipped one, each
// of the four project files that is missing there, never over one that is
// there, and lets the template sheet's "../buttons/" reach the shipped
// button images through a link beside it. A portable run has nothing to
// prepare. Throws FileError naming the folder or file that failed.
void PrepareUserFolder(const Workspace& workspace);

// What Restore default project asks before it replaces anything.
std::string RestoreDefaultProjectQuestion(const Workspace& workspace);

// Replaces the user's four template files with the shipped ones, all of them
// or, when one cannot be read, none; then, if the default project is open,
// loads it anew as at start. Nothing to do in a portable run, where the
// template folder is the shipped one.
StartupLoadResult RestoreDefaultProject(Workspace& workspace, Preview& preview);

}  // namespace tavel
