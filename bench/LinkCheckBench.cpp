// Checks a menu of 1,000 items, each linking a distinct address of a local
// server, through the program's own plan, web check and Qt Network
// requester, and prints the median time of five runs. The server runs on a
// thread of its own, as a real one would not share the check's loop.
//
//   build/bench/link_check_bench [links]
#include "menu/MenuTree.h"
#include "support/LocalHttpServer.h"
#include "tools/LinkCheckPlan.h"
#include "tools/WebLinkCheck.h"
#include "ui/common/NetworkLinkRequester.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace tavel;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int links = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;

    QThread serverThread;
    auto* server = new test::LocalHttpServer;
    server->moveToThread(&serverThread);
    serverThread.start();
    bool listening = false;
    QMetaObject::invokeMethod(server, [&] { listening = server->Listen(); }, Qt::BlockingQueuedConnection);
    if (!listening) {
        std::fprintf(stderr, "cannot listen on 127.0.0.1\n");
        return 1;
    }

    MenuTree tree;
    for (int i = 0; i < links; ++i)
        tree.AppendChild(nullptr, {MenuItemKind::Plain, "Page " + std::to_string(i), "",
                                   server->Url(QString("/ok/%1").arg(i)).toStdString()});

    std::vector<double> times;
    bool allOk = true;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer clock;
        clock.start();
        LinkCheckPlan plan = PlanLinkCheck(tree, "/nonexistent/");
        NetworkLinkRequester requester;
        size_t ok = 0;
        WebLinkCheck check(std::move(plan.addresses), requester, [&](size_t, const LinkResult& result) {
            ok += result.kind == LinkResultKind::Ok;
        });
        check.Start();
        while (check.Remaining() > 0) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        times.push_back(clock.nsecsElapsed() / 1e6);
        allOk = allOk && ok == static_cast<size_t>(links);
        std::printf("run %d: %d links in %.0f ms, %zu OK, %zu requests\n", run + 1, links, times.back(), ok,
                    check.RequestsSent());
    }
    std::sort(times.begin(), times.end());
    std::printf("median: %d distinct links checked in %.0f ms\n", links, times[times.size() / 2]);

    QMetaObject::invokeMethod(server, [server] { delete server; }, Qt::BlockingQueuedConnection);
    serverThread.quit();
    serverThread.wait();
    return allOk ? 0 : 1;
}
