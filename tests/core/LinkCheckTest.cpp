// The link check's rules without a network: which links are checked and
// how, files beside the page, the plan of a tree, the texts it reports, and
// the web check driven through a scripted requester.
#include "TestSupport.h"
#include "tools/FileLinkCheck.h"
#include "tools/LinkCheckPlan.h"
#include "tools/LinkClassification.h"
#include "tools/RequestScheduler.h"
#include "tools/WebLinkCheck.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <map>

namespace tavel {
namespace {

using Kind = LinkResultKind;
using Route = LinkRoute::Kind;

TEST(LinkCheck, ClassifiesEachLinkByHowItIsChecked) {
    struct Case {
        const char* link;
        Route route;
        std::string expected;  // File: the path; Web: address and host; Settled: the result text
    };
    const Case cases[] = {
        {"", Route::Settled, "not checked: no link"},
        {" \t", Route::Settled, "not checked: no link"},
        {"#", Route::Settled, "not checked: the same page"},
        {"#top", Route::Settled, "not checked: the same page"},
        {"?page=2", Route::Settled, "not checked: the same page"},
        {"mailto:me@example.com", Route::Settled, "not checked: e-mail address"},
        {"JavaScript:void(0)", Route::Settled, "not checked: script"},
        {"tel:+4930123", Route::Settled, "not checked: telephone number"},
        {"ftp://example.com/file", Route::Settled, "not checked: ftp: address"},
        {"C:\\site\\page.htm", Route::Settled, "not checked: a path on a Windows drive"},
        {"/products/", Route::Settled, "not checked: starts at the web server's root"},
        {"//cdn.example.com/x", Route::Settled, "not checked: no http: or https: before the server's name"},
        {"http://", Route::Settled, "not a valid address"},
        {"http:page.htm", Route::Settled, "not a valid address"},
        {"http://example.com:8o/", Route::Settled, "not a valid address"},
        {"HTTP://Example.COM", Route::Web, "http://example.com/ example.com"},
        {"https://Example.com:443/A?b=C#frag", Route::Web, "https://example.com/A?b=C example.com"},
        {"http://example.com:080/", Route::Web, "http://example.com/ example.com"},
        {"http://example.com:8080", Route::Web, "http://example.com:8080/ example.com"},
        {"https://example.com:80/", Route::Web, "https://example.com:80/ example.com"},
        {"http://me@Host.org/p", Route::Web, "http://me@host.org/p host.org"},
        {"http://[::1]:8080/x", Route::Web, "http://[::1]:8080/x [::1]"},
        {"http:\\\\example.com\\a\\b?x\\y", Route::Web, "http://example.com/a/b?x\\y example.com"},
        {" page.htm ", Route::File, "page.htm"},
        {"sub\\my%20page.htm?x=1#top", Route::File, "sub/my page.htm"},
        {"50%off.htm", Route::File, "50%off.htm"},
        {"a%2", Route::File, "a%2"},
        {"x%41", Route::File, "xA"},
        {"../shop/index.htm", Route::File, "../shop/index.htm"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.link);
        const LinkRoute route = ClassifyLink(c.link);
        ASSERT_EQ(route.kind, c.route);
        const std::string found = c.route == Route::File  ? route.path
                                  : c.route == Route::Web ? route.web.address + " " + route.web.host
                                                          : route.result.text;
        EXPECT_EQ(found, c.expected);
    }
}

TEST(LinkCheck, FileLinksAreResolvedAgainstThePagesFolderLetterForLetter) {
    test::TempFolder top;
    namespace fs = std::filesystem;
    for (const char* folder : {"site/Products", "site/docs", "site/empty", "outside"})
        fs::create_directories(top.File(folder));
    for (const char* file : {"site/index.htm", "site/Products/Index.htm", "site/docs/index.html", "outside/other.htm"})
        top.Write(file, "x");
    const std::string folder = top.File("site") + "/";

    const std::pair<const char*, LinkResult> cases[] = {
        {"index.htm", {Kind::Ok, "OK"}},
        {"./Products/../index.htm", {Kind::Ok, "OK"}},
        {"", {Kind::Ok, "OK"}},
        {"docs", {Kind::Ok, "OK"}},
        {"docs/", {Kind::Ok, "OK"}},
        {"Products/Index.htm", {Kind::Ok, "OK"}},
        {"products/index.htm", {Kind::Broken, "differs only in letter case from Products/Index.htm"}},
        {"Products/index.htm", {Kind::Broken, "differs only in letter case from Products/Index.htm"}},
        {"PRODUCTS/", {Kind::Broken, "missing file"}},  // found, but holds no index page
        {"nothing.htm", {Kind::Broken, "missing file"}},
        {"index.htm/", {Kind::Broken, "missing file"}},
        {"empty/", {Kind::Broken, "folder without index.html or index.htm"}},
        {"../outside/other.htm", {Kind::Warning, "outside the project folder"}},
        {"Products/../../outside/other.htm", {Kind::Warning, "outside the project folder"}},
        {"../outside/none.htm", {Kind::Broken, "missing file (outside the project folder)"}},
        {"../Outside/Other.htm",
         {Kind::Broken, "differs only in letter case from ../outside/other.htm (outside the project folder)"}},
    };
    for (const auto& [path, expected] : cases) {
        SCOPED_TRACE(path);
        EXPECT_EQ(CheckFileLink(folder, path), expected);
    }
}

TEST(LinkCheck, PlansEveryItemWithItsPlaceAndAsksEachWebAddressOnce) {
    using enum MenuItemKind;
    test::TempFolder site;
    site.Write("index.htm", "x");
    MenuTree tree;
    test::BuildTree(tree, {
                              {0, Plain, "Home", "", "index.htm"},
                              {0, Submenu, "Products", "", "products.htm"},
                              {1, Submenu, "Software", "", "soft.htm"},
                              {2, Plain, "Editor", "", "http://Example.com/editor#top"},
                              {2, Separator, "----------", "", ""},
                              {2, Plain, "", "", "https://other.org/"},
                              {1, Plain, "Viewer", "", "http://example.com/editor"},
                              {1, Plain, "Gone", "", "gone.htm"},
                              {0, Plain, "Mail", "", "mailto:me@example.com"},
                              {0, Plain, "Help", "", "http://example.com:8080/help"},
                          });
    const LinkCheckPlan plan = PlanLinkCheck(tree, site.path());

    const std::vector<std::pair<std::string, LinkResult>> rows = {
        {"Home", {Kind::Ok, "OK"}},
        {"Products", NotChecked("opens a submenu")},
        {"Products > Software", NotChecked("opens a submenu")},
        {"Products > Software > Editor", LinkPending()},
        {"Products > Software > ----------", NotChecked("separator")},
        {"Products > Software > (no caption)", LinkPending()},
        {"Products > Viewer", LinkPending()},
        {"Products > Gone", {Kind::Broken, "missing file"}},
        {"Mail", NotChecked("e-mail address")},
        {"Help", LinkPending()},
    };
    ASSERT_EQ(plan.rows.size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(plan.rows[i].place, rows[i].first);
        EXPECT_EQ(plan.rows[i].result, rows[i].second) << rows[i].first;
        // Submenu titles and separators are listed, but are no links.
        EXPECT_EQ(plan.rows[i].isLink, i != 1 && i != 2 && i != 4) << rows[i].first;
    }
    EXPECT_EQ(plan.rows[3].link, "http://Example.com/editor#top");
    EXPECT_EQ(plan.rows[1].link, "") << "a submenu's link is not the menu's";
    EXPECT_EQ(plan.addresses, (std::vector<WebAddress>{{"http://example.com/editor", "example.com"},
                                                        {"https://other.org/", "other.org"},
                                                        {"http://example.com:8080/help", "example.com"}}));
    EXPECT_EQ(plan.rowsOfAddress, (std::vector<std::vector<size_t>>{{3, 6}, {5}, {9}}));
}

std::vector<LinkCheckRow> RowsOfKinds(std::initializer_list<std::pair<Kind, int>> counts) {
    std::vector<LinkCheckRow> rows;
    for (auto [kind, count] : counts)
        for (int i = 0; i < count; ++i) rows.push_back({"", "", {kind, ""}});
    return rows;
}

TEST(LinkCheck, SummaryCountsEveryKindThatOccurs) {
    using enum LinkResultKind;
    EXPECT_EQ(LinkCheckSummary(RowsOfKinds({{Ok, 37}, {Broken, 3}, {NotChecked, 2}})),
              "42 links: 37 OK, 3 broken, 2 not checked");
    EXPECT_EQ(LinkCheckSummary(RowsOfKinds({{Warning, 1}})), "1 link: 1 warning");
    EXPECT_EQ(LinkCheckSummary(RowsOfKinds({{NotChecked, 1}, {Warning, 2}, {Ok, 1}, {Pending, 3}})),
              "7 links: 1 OK, 2 warnings, 1 not checked");
    EXPECT_EQ(LinkCheckSummary({}), "0 links");
    std::vector<LinkCheckRow> withTitles = RowsOfKinds({{Ok, 2}, {NotChecked, 2}});
    withTitles[1].isLink = withTitles[2].isLink = false;  // a submenu title, a separator
    EXPECT_EQ(LinkCheckSummary(withTitles), "2 links: 1 OK, 1 not checked");
}

TEST(LinkCheck, TheNetworkIsBlamedOnlyWhenEveryWebLinkFailedAlikeUnanswered) {
    using enum LinkResultKind;
    const LinkResult unknown{Broken, kNameNotFound, true};
    const std::pair<std::vector<LinkResult>, bool> cases[] = {
        {{unknown, unknown, unknown}, true},
        {{{Broken, kTimedOut, true}, {Broken, kTimedOut, true}}, true},
        {{{Broken, kCannotConnect, true}, {Broken, kCannotConnect, true}}, true},
        {{unknown}, false},                                  // one address says nothing of the network
        {{unknown, {Broken, kTimedOut, true}}, false},       // not alike
        {{unknown, LinkOk()}, false},                        // something answered
        {{{Broken, "404 Not Found"}, {Broken, "404 Not Found"}}, false},  // servers answered
        {{tavel::NotChecked("cancelled"), tavel::NotChecked("cancelled")}, false},
        {{}, false},
    };
    for (const auto& [results, blamed] : cases) {
        const std::string hint = NetworkHint(results);
        EXPECT_EQ(!hint.empty(), blamed) << hint;
    }
    EXPECT_EQ(NetworkHint(std::vector<LinkResult>{unknown, unknown}),
              "Every web link failed with \"name not found\": the network looks unreachable. "
              "Check the connection, then run the check again.");
}

TEST(LinkCheck, ReportIsTabSeparatedUnderAHeader) {
    const std::vector<LinkCheckRow> rows = {
        {"Products > Editor", "editor.htm", {Kind::Ok, "OK"}},
        {"Odd\tcaption", "a\r\nb", {Kind::Broken, "missing file"}},
    };
    EXPECT_EQ(LinkCheckReport(rows),
              "Place\tLink\tResult\n"
              "Products > Editor\teditor.htm\tOK\n"
              "Odd caption\ta  b\tmissing file\n");
}

TEST(LinkCheck, SchedulerKeepsBothLimitsAndTheOrderAdded) {
    RequestScheduler scheduler(3, 2);
    const char* hosts[] = {"a", "a", "a", "b", "c", "b"};
    for (size_t job = 0; job < std::size(hosts); ++job) scheduler.Add(job, hosts[job]);
    const auto take = [&] {
        std::vector<size_t> started;
        while (std::optional<size_t> job = scheduler.Next()) started.push_back(*job);
        return started;
    };
    // Two to "a", then the third "a" waits for its host and "b" takes the
    // last place overall.
    EXPECT_EQ(take(), (std::vector<size_t>{0, 1, 3}));
    scheduler.Finished(3);
    EXPECT_EQ(take(), (std::vector<size_t>{4}));
    scheduler.Finished(0);
    EXPECT_EQ(take(), (std::vector<size_t>{2}));
    EXPECT_EQ(scheduler.Running(), 3u);
    scheduler.Finished(1);
    scheduler.Finished(2);
    EXPECT_EQ(take(), (std::vector<size_t>{5}));
    EXPECT_EQ(scheduler.Waiting(), 0u);
}

// Answers each request from a table, when the test says so.
class ScriptedRequester : public LinkRequester {
public:
    std::map<std::string, HttpOutcome> answers;  // "HEAD http://..." or "GET http://..."
    std::deque<std::pair<std::string, Reply>> inFlight;
    std::vector<std::string> sent;
    int aborts = 0;

    void Send(HttpMethod method, const std::string& address, Reply reply) override {
        std::string request = (method == HttpMethod::Head ? "HEAD " : "GET ") + address;
        sent.push_back(request);
        inFlight.emplace_back(std::move(request), std::move(reply));
    }
    void AbortAll() override {
        ++aborts;
        inFlight.clear();
    }
    void AnswerOne() {
        auto [request, reply] = std::move(inFlight.front());
        inFlight.pop_front();
        auto answer = answers.find(request);
        reply(answer != answers.end() ? answer->second : HttpOutcome{HttpOutcome::Kind::Status, 404, "", ""});
    }
    void AnswerAll() {
        while (!inFlight.empty()) AnswerOne();
    }
};

HttpOutcome Status(int status, std::string location = "", std::string phrase = "") {
    return {HttpOutcome::Kind::Status, status, std::move(phrase), std::move(location)};
}

TEST(LinkCheck, WebResultsFollowTheServersAnswers) {
    using O = HttpOutcome;
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, HttpOutcome>> answers;  // from the link's own address on
        LinkResult expected;
        size_t requests;
    };
    const std::string a = "http://a.test/";
    const std::string b = "https://b.test/";
    const Case cases[] = {
        {"200", {{"HEAD " + a, Status(200)}}, {Kind::Ok, "OK"}, 1},
        {"404", {{"HEAD " + a, Status(404)}}, {Kind::Broken, "404 Not Found"}, 1},
        {"500", {{"HEAD " + a, Status(500, "", "Oops")}}, {Kind::Broken, "500 Internal Server Error"}, 1},
        {"own phrase", {{"HEAD " + a, Status(599, "", "Odd")}}, {Kind::Broken, "599 Odd"}, 1},
        {"299", {{"HEAD " + a, Status(299)}}, {Kind::Ok, "OK"}, 1},
        {"399", {{"HEAD " + a, Status(399)}}, {Kind::Warning, "399"}, 1},
        {"400", {{"HEAD " + a, Status(400)}}, {Kind::Broken, "400 Bad Request"}, 1},
        {"405 then GET", {{"HEAD " + a, Status(405)}, {"GET " + a, Status(200)}}, {Kind::Ok, "OK"}, 2},
        {"501 then GET", {{"HEAD " + a, Status(501)}, {"GET " + a, Status(404)}}, {Kind::Broken, "404 Not Found"}, 2},
        {"GET refused too",
         {{"HEAD " + a, Status(405)}, {"GET " + a, Status(405)}},
         {Kind::Broken, "405 Method Not Allowed"},
         2},
        {"301", {{"HEAD " + a, Status(301, b)}, {"HEAD " + b, Status(200)}}, {Kind::Warning, "moved permanently to " + b}, 2},
        {"302", {{"HEAD " + a, Status(302, b)}, {"HEAD " + b, Status(200)}}, {Kind::Ok, "OK"}, 2},
        {"308 then 307",
         {{"HEAD " + a, Status(308, b)}, {"HEAD " + b, Status(307, b + "x")}, {"HEAD " + b + "x", Status(204)}},
         {Kind::Warning, "moved permanently to " + b + "x"},
         3},
        {"301 to 404", {{"HEAD " + a, Status(301, b)}, {"HEAD " + b, Status(404)}}, {Kind::Broken, "404 Not Found at " + b}, 2},
        {"redirect kept GET",
         {{"HEAD " + a, Status(405)}, {"GET " + a, Status(303, b)}, {"GET " + b, Status(200)}},
         {Kind::Ok, "OK"},
         3},
        {"301 elsewhere", {{"HEAD " + a, Status(301, "ftp://c.test/")}}, {Kind::Warning, "moved to ftp://c.test/"}, 1},
        {"301 without place", {{"HEAD " + a, Status(301)}}, {Kind::Warning, "301 Moved Permanently"}, 1},
        {"loop", {{"HEAD " + a, Status(302, a)}}, {Kind::Broken, "too many redirects"}, 11},
        {"timeout", {{"HEAD " + a, {O::Kind::TimedOut, 0, "", ""}}}, {Kind::Broken, "timed out", true}, 1},
        {"refused", {{"HEAD " + a, {O::Kind::CannotConnect, 0, "", ""}}}, {Kind::Broken, "cannot connect", true}, 1},
        {"no name", {{"HEAD " + a, {O::Kind::NameNotFound, 0, "", ""}}}, {Kind::Broken, "name not found", true}, 1},
        {"tls",
         {{"HEAD " + a, {O::Kind::TlsError, 0, "The certificate has expired", ""}}},
         {Kind::Broken, "TLS error: The certificate has expired"},
         1},
        {"other", {{"HEAD " + a, {O::Kind::Failed, 0, "Connection closed", ""}}}, {Kind::Broken, "Connection closed"}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedRequester requester;
        requester.answers.insert(c.answers.begin(), c.answers.end());
        std::vector<LinkResult> results;
        WebLinkCheck check({{a, "a.test"}}, requester, [&](size_t, const LinkResult& r) { results.push_back(r); });
        check.Start();
        requester.AnswerAll();
        EXPECT_EQ(results, std::vector<LinkResult>{c.expected});
        EXPECT_EQ(requester.sent.size(), c.requests);
        EXPECT_EQ(check.Remaining(), 0u);
    }
}

TEST(LinkCheck, WebCheckKeepsItsLimitsAndCancelStopsAtOnce) {
    ScriptedRequester requester;
    std::vector<WebAddress> addresses;
    for (int i = 0; i < 30; ++i) {
        const std::string host = "h" + std::to_string(i % 5) + ".test";
        addresses.push_back({"http://" + host + "/" + std::to_string(i), host});
        requester.answers["HEAD " + addresses.back().address] = Status(200);
    }
    std::vector<size_t> done;
    WebLinkCheck check(addresses, requester, [&](size_t address, const LinkResult&) { done.push_back(address); });
    const auto perHostAtMostTwo = [&] {
        std::map<std::string, int> count;
        for (const auto& [request, reply] : requester.inFlight)
            if (++count[request.substr(12, 2)] > 2) return false;
        return true;
    };
    check.Start();
    EXPECT_EQ(requester.inFlight.size(), 8u);
    EXPECT_TRUE(perHostAtMostTwo());
    requester.AnswerOne();
    EXPECT_EQ(requester.inFlight.size(), 8u);
    EXPECT_TRUE(perHostAtMostTwo());
    EXPECT_EQ(done, std::vector<size_t>{0});

    check.Cancel();
    EXPECT_EQ(requester.aborts, 1);
    EXPECT_TRUE(requester.inFlight.empty());
    EXPECT_EQ(requester.sent.size(), 9u);
    EXPECT_EQ(check.Remaining(), 29u);
    EXPECT_EQ(done.size(), 1u);
}

}  // namespace
}  // namespace tavel
