// Check links against a server of the test's own on 127.0.0.1: every kind
// of answer, a timeout, Cancel in the middle of a run, and tree edits while
// requests are out. No request goes anywhere else. Verdicts wait for the
// check to end, never for a clock.
#include "menu/MenuTree.h"
#include "project/Workspace.h"
#include "support/GuiFixture.h"
#include "support/LocalHttpServer.h"
#include "ui/common/LocalText.h"
#include "ui/linkcheck/LinkCheckModel.h"
#include "ui/linkcheck/LinkCheckWindow.h"
#include "ui/common/NetworkLinkRequester.h"
#include "ui/main/MainWindow.h"

#include <QAction>
#include <QClipboard>
#include <QHostAddress>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>
#include <QTreeView>

using namespace tavel;
using namespace std::chrono_literals;

namespace {

struct Item {
    int level;
    const char* caption;
    QString link;
};

constexpr int kRunLimitMs = 20000;  // only a hung check takes this long

}  // namespace

class LinkCheckWindowTest : public QObject {
    Q_OBJECT

    test::GuiFixture fixture;
    test::LocalHttpServer server;

    Workspace& Work() { return fixture.mainWindow->Work(); }
    QTreeView& TreeView() { return *test::Child<QTreeView>(*fixture.mainWindow, "Tree"); }

    void SetMenu(const std::vector<Item>& items) {
        MenuTree& tree = Work().Tree();
        tree.Clear();
        std::vector<MenuItem*> last;
        for (const Item& item : items) {
            last.resize(static_cast<size_t>(item.level));
            const bool separator = QString(item.caption) == kSeparatorCaption;
            MenuItemData data{separator ? MenuItemKind::Separator : MenuItemKind::Plain, item.caption, "",
                              Bytes(item.link)};
            last.push_back(tree.AppendChild(item.level == 0 ? nullptr : last.back(), data));
        }
    }

    LinkCheckWindow& CheckLinks() {
        test::Child<QAction>(*fixture.mainWindow, "CheckLinks")->trigger();
        return *test::Child<LinkCheckWindow>(*fixture.mainWindow, "LinkCheckWindow");
    }

    static QStringList Column(LinkCheckWindow& window, int column) {
        const QAbstractItemModel& shown = *test::Child<QTableView>(window, "LinkResults")->model();
        QStringList texts;
        for (int row = 0; row < shown.rowCount(); ++row) texts << shown.index(row, column).data().toString();
        return texts;
    }

    static void Activate(LinkCheckWindow& window, const QString& place) {
        auto* table = test::Child<QTableView>(window, "LinkResults");
        const int row = Column(window, LinkCheckModel::PlaceColumn).indexOf(place);
        QVERIFY2(row >= 0, qPrintable(place));
        table->scrollTo(table->model()->index(row, 0));
        const QRect cell = table->visualRect(table->model()->index(row, 0));
        // A real double click: the second press of a click comes as the double click.
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    }

private slots:
    void initTestCase() {
        QVERIFY(server.Listen());
        fixture.WriteTemplate("temp.js", test::ExampleMenuScript());
        fixture.WriteTemplate("index.htm", "<html></html>");
        fixture.WriteTemplate("stt.css", "");
        fixture.WriteTemplate("sys.js", "");
        fixture.Start();
    }

    void commandSitsInTheHtmlMenuAfterToolsAndOnTheToolbar() {
        QAction* check = test::Child<QAction>(*fixture.mainWindow, "CheckLinks");
        QCOMPARE(check->shortcut(), QKeySequence("Ctrl+L"));
        const QList<QAction*> html = fixture.mainWindow->menuBar()->actions().at(2)->menu()->actions();
        QCOMPARE(html.last(), check);
        QCOMPARE(html.at(html.size() - 2)->objectName(), QString("Action13"));
        const QList<QAction*> toolbar = test::Child<QToolBar>(*fixture.mainWindow, "ActionToolBar1")->actions();
        QCOMPARE(toolbar.at(toolbar.indexOf(check) - 1)->objectName(), QString("Action13"));
    }

    // A port of this machine that nobody listens on.
    static quint16 ClosedPort() {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost, 0)) qFatal("no port to probe");
        return probe.serverPort();
    }

    void everyKindOfAnswerIsReportedAgainstItsItem() {
        const quint16 closedPort = ClosedPort();
        SetMenu({
            {0, "Home", "index.htm"},
            {0, "Products", "products.htm"},
            {1, "Software", ""},
            {2, "Editor", server.Url("/ok")},
            {1, "Moved", server.Url("/moved")},
            {1, "Again", server.Url("/ok#top")},
            {0, "No HEAD", server.Url("/nohead")},
            {0, "Missing", server.Url("/missing")},
            {0, "Error", server.Url("/error")},
            {0, "Closed", QString("http://127.0.0.1:%1/").arg(closedPort)},
            {0, kSeparatorCaption, ""},
            {0, "Gone", "gone.htm"},
            {0, "Mail", "mailto:me@example.com"},
        });
        const ProjectTexts textsBefore = Work().Texts();
        const int requestsBefore = server.RequestCount();

        LinkCheckWindow& window = CheckLinks();
        QTRY_VERIFY_WITH_TIMEOUT(!window.Running(), kRunLimitMs);

        QCOMPARE(window.windowTitle(), QString("Link check"));
        QCOMPARE(Column(window, LinkCheckModel::PlaceColumn),
                 QStringList({"Home", "Products", "Products > Software", "Products > Software > Editor",
                              "Products > Moved", "Products > Again", "No HEAD", "Missing", "Error", "Closed",
                              "----------", "Gone", "Mail"}));
        QCOMPARE(Column(window, LinkCheckModel::ResultColumn),
                 QStringList({"OK", "not checked: opens a submenu", "not checked: opens a submenu", "OK",
                              "moved permanently to " + server.Url("/ok/moved-here"), "OK", "OK", "404 Not Found",
                              "500 Internal Server Error", "cannot connect", "not checked: separator", "missing file",
                              "not checked: e-mail address"}));
        QCOMPARE(test::Child<QLabel>(window, "LinkSummary")->text(),
                 QString("10 links: 4 OK, 1 warning, 4 broken, 1 not checked"));  // submenus and separators are no links
        // The address two items share was asked once; HEAD refused, GET asked.
        const QStringList requests = server.Requests().mid(requestsBefore);
        QCOMPARE(requests.count("HEAD /ok"), 1);
        QVERIFY(requests.indexOf("GET /nohead") > requests.indexOf("HEAD /nohead"));
        QCOMPARE(requests.size(), 7);
        // One colour per kind.
        const QAbstractItemModel& shown = *test::Child<QTableView>(window, "LinkResults")->model();
        QSet<QRgb> colours;
        for (int row : {0, 1, 4, 7}) colours << shown.index(row, 2).data(Qt::BackgroundRole).value<QBrush>().color().rgb();
        QCOMPARE(colours.size(), 4);

        QCOMPARE(Work().Modified(), false);
        QVERIFY(Work().Texts().script == textsBefore.script && Work().Texts().page == textsBefore.page);

        // Sorted by result, the broken links come first; the report follows the table.
        test::Child<QTableView>(window, "LinkResults")->sortByColumn(LinkCheckModel::ResultColumn, Qt::AscendingOrder);
        test::Child<QPushButton>(window, "CopyReport")->click();
        const QStringList report = QGuiApplication::clipboard()->text().split('\n');
        QCOMPARE(report.at(0), QString("Place\tLink\tResult"));
        QCOMPARE(report.at(1), "Missing\t" + server.Url("/missing") + "\t404 Not Found");
        QCOMPARE(report.size(), 15);  // header, 13 rows, and the empty text after the last line break

        Activate(window, "Products > Software > Editor");
        QCOMPARE(QString::fromStdString(Work().Tree().Selected()->Data().caption), QString("Editor"));
        QVERIFY(TreeView().isExpanded(TreeView().currentIndex().parent()));
    }

    void editsDuringTheCheckNeverMoveAResultToAnotherItem() {
        SetMenu({{0, "First", server.Url("/held/1")}, {0, "Second", server.Url("/held/2")}, {0, "Home", "index.htm"}});
        LinkCheckWindow& window = CheckLinks();
        QTRY_COMPARE_WITH_TIMEOUT(server.Held(), 2, kRunLimitMs);

        // Delete the first item, edit what comes after it, and let the answers in.
        Work().Tree().Select(test::FindItem(Work().Tree(), "First"));
        test::Child<QAction>(*fixture.mainWindow, "Action10")->trigger();
        Work().Tree().AppendSibling(nullptr, {MenuItemKind::Plain, "New", "", "new.htm"});
        Work().Tree().MoveTo(test::FindItem(Work().Tree(), "Home"), nullptr, 0);
        server.ReleaseHeld();
        QTRY_VERIFY_WITH_TIMEOUT(!window.Running(), kRunLimitMs);

        test::Child<QTableView>(window, "LinkResults")->sortByColumn(LinkCheckModel::PlaceColumn, Qt::AscendingOrder);
        QCOMPARE(Column(window, LinkCheckModel::PlaceColumn), QStringList({"First", "Second", "Home"}));
        QCOMPARE(Column(window, LinkCheckModel::ResultColumn), QStringList({"OK", "OK", "OK"}));
        Activate(window, "Second");
        QCOMPARE(QString::fromStdString(Work().Tree().Selected()->Data().caption), QString("Second"));
        Activate(window, "First");
        QCOMPARE(test::Child<QLabel>(window, "LinkNote")->text(), QString("This item is no longer in the menu tree."));
        QCOMPARE(QString::fromStdString(Work().Tree().Selected()->Data().caption), QString("Second"));
    }

    void aReplySlowerThanTheTimeoutTimesOut() {
        SetMenu({{0, "Slow", server.Url("/slow/timeout")}});
        LinkCheckWindow window(Work(), TreeView(), std::make_unique<NetworkLinkRequester>(200ms));
        window.Start();
        QTRY_VERIFY_WITH_TIMEOUT(!window.Running(), kRunLimitMs);
        QCOMPARE(Column(window, LinkCheckModel::ResultColumn), QStringList({"timed out"}));
        QTRY_COMPARE_WITH_TIMEOUT(server.Held(), 0, kRunLimitMs);
    }

    void cancelDropsTheRequestsInFlightAndSendsNoOther() {
        std::vector<Item> items;
        for (int i = 0; i < 200; ++i) items.push_back({0, "Slow", server.Url(QString("/slow/%1").arg(i))});
        SetMenu(items);
        auto requester = std::make_unique<NetworkLinkRequester>(std::chrono::milliseconds(kRunLimitMs));
        NetworkLinkRequester& network = *requester;
        LinkCheckWindow window(Work(), TreeView(), std::move(requester));
        const int requestsBefore = server.RequestCount();
        window.Start();
        QTRY_COMPARE_WITH_TIMEOUT(server.Held(), 2, kRunLimitMs);

        // The window answers while the requests are out.
        QCOMPARE(test::Child<QLabel>(window, "LinkSummary")->text(), QString("Checking: 0 of 200 links done"));
        test::Child<QPushButton>(window, "CopyReport")->click();
        QVERIFY(QGuiApplication::clipboard()->text().endsWith("\tchecking...\n"));

        test::Child<QPushButton>(window, "CancelLinkCheck")->click();
        QVERIFY(!window.Running());
        QCOMPARE(network.InFlight(), size_t(0));
        QTRY_COMPARE_WITH_TIMEOUT(server.Held(), 0, kRunLimitMs);  // the server saw both connections go
        // Whatever the check still had queued has run by now: had it sent
        // another request, that one would be in flight.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QCOMPARE(network.InFlight(), size_t(0));
        QCOMPARE(server.RequestCount() - requestsBefore, 2);
        QCOMPARE(server.MostHeld(), 2);  // never more than two at a time to one host
        QCOMPARE(test::Child<QLabel>(window, "LinkSummary")->text(), QString("200 links: 200 not checked"));
        QCOMPARE(Column(window, LinkCheckModel::ResultColumn).count("not checked: cancelled"), 200);
        QVERIFY(!test::Child<QProgressBar>(window, "LinkProgress")->isVisible());
        QVERIFY(!test::Child<QPushButton>(window, "CancelLinkCheck")->isVisible());
    }

    // With no network every web link fails alike: the summary says why. The
    // window is as large as its table, every row in view.
    void aRunWithoutNetworkSaysSoAndShowsEveryRow() {
        const QString nowhere = QString("http://127.0.0.1:%1/").arg(ClosedPort());
        std::vector<Item> items{{0, "One", nowhere + "1"}, {0, "Two", nowhere + "2"}, {0, "Three", nowhere + "3"}};
        for (int page = 1; page <= 12; ++page) items.push_back({0, "Page", "index.htm"});  // more than the first size shows
        SetMenu(items);
        if (auto* shown = fixture.mainWindow->findChild<LinkCheckWindow*>("LinkCheckWindow")) shown->close();
        LinkCheckWindow& window = CheckLinks();  // opens anew, sized to its rows
        QTRY_VERIFY_WITH_TIMEOUT(!window.Running(), kRunLimitMs);
        QCOMPARE(test::Child<QLabel>(window, "LinkSummary")->text(),
                 QString("15 links: 12 OK, 3 broken\nEvery web link failed with \"cannot connect\": the network looks "
                         "unreachable. Check the connection, then run the check again."));

        auto* table = test::Child<QTableView>(window, "LinkResults");
        const QModelIndex last = table->model()->index(table->model()->rowCount() - 1, LinkCheckModel::ResultColumn);
        QVERIFY(table->viewport()->rect().contains(table->visualRect(last)));
        window.close();
    }
};

TAVEL_GUI_TEST_MAIN(LinkCheckWindowTest)
#include "LinkCheckWindowTest.moc"
