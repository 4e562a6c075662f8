#pragma once

namespace tavel {

class Preview;
class Workspace;
struct CommandRequest;

// check-links: the files checked at once, the web addresses asked through
// Qt Network on this thread's event loop, as the Link check window asks
// them; the report on standard output in the requested format. Returns the
// exit status the results give.
int RunCheckLinks(Workspace& workspace, Preview& preview, const CommandRequest& request);

}  // namespace tavel
