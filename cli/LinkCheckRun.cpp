#include "cli/LinkCheckRun.h"

#include "cli/TerminalProgress.h"
#include "tools/CommandRuns.h"
#include "tools/WebLinkCheck.h"
#include "ui/common/NetworkLinkRequester.h"

#include <QEventLoop>

#include <algorithm>
#include <cstdio>

namespace tavel {

int RunCheckLinks(Workspace& workspace, Preview& preview, const CommandRequest& request) {
    std::string warnings;
    LinkCheckPlan plan = PlanCheckLinks(workspace, preview, request, warnings);
    std::fputs(warnings.c_str(), stderr);

    std::vector<LinkCheckRow>& rows = plan.rows;
    size_t done = static_cast<size_t>(std::count_if(rows.begin(), rows.end(), [](const LinkCheckRow& row) {
        return row.result.kind != LinkResultKind::Pending;
    }));
    size_t remaining = plan.addresses.size();
    {
        // Gone, with its line, before the report is written.
        TerminalProgress progress("Checking links");
        progress.Show(done, rows.size());
        NetworkLinkRequester requester(request.links.timeout);
        QEventLoop loop;
        WebLinkCheck check(std::move(plan.addresses), requester, [&](size_t address, const LinkResult& result) {
            for (size_t row : plan.rowsOfAddress.at(address)) rows[row].result = result;
            done += plan.rowsOfAddress[address].size();
            progress.Show(done, rows.size());
            if (--remaining == 0) loop.quit();
        });
        check.Start();
        if (remaining > 0) loop.exec();
    }

    const std::string report = FormatLinkCheck(rows, request.links.format);
    std::fwrite(report.data(), 1, report.size(), stdout);
    return LinkCheckExitStatus(rows);
}

}  // namespace tavel
