#pragma once

#include "tools/LinkClassification.h"
#include "tools/LinkRequester.h"
#include "tools/LinkResult.h"
#include "tools/RequestScheduler.h"

#include <functional>
#include <vector>

namespace tavel {

// Asks about every web address of a link check: HEAD first, GET when the
// server refuses HEAD (405, 501), each redirect followed, and turns what
// comes back into a result per address. The requests go through a
// LinkRequester, within the scheduler's limits; the check itself never
// waits, so it runs on the window's thread between its events.
class WebLinkCheck {
public:
    struct Limits {
        size_t overall = 8;
        size_t perHost = 2;
        int redirects = 10;
    };
    // Told once per address, when its result is known.
    using ResultSink = std::function<void(size_t address, const LinkResult& result)>;

    WebLinkCheck(std::vector<WebAddress> addresses, LinkRequester& requester, ResultSink sink, Limits limits);
    WebLinkCheck(std::vector<WebAddress> addresses, LinkRequester& requester, ResultSink sink)
        : WebLinkCheck(std::move(addresses), requester, std::move(sink), Limits{}) {}
    // Drops whatever is still in flight.
    ~WebLinkCheck();
    WebLinkCheck(const WebLinkCheck&) = delete;
    WebLinkCheck& operator=(const WebLinkCheck&) = delete;

    void Start();
    // Stops at once: the requests in flight are dropped, no other is sent and
    // no result comes any more.
    void Cancel();

    // Addresses without a result yet.
    size_t Remaining() const { return remaining_; }
    size_t RequestsSent() const { return sent_; }

private:
    struct Job {
        std::string address;  // asked now: the link's, or where its redirects led
        HttpMethod method = HttpMethod::Head;
        int redirects = 0;
        bool movedPermanently = false;
    };

    void SendWaiting();
    void Send(size_t job);
    void Received(size_t job, const HttpOutcome& outcome);
    void Settle(size_t job, const LinkResult& result);
    LinkResult StatusResult(const Job& job, const HttpOutcome& outcome) const;

    std::vector<WebAddress> addresses_;
    std::vector<Job> jobs_;
    LinkRequester& requester_;
    ResultSink sink_;
    Limits limits_;
    RequestScheduler scheduler_;
    size_t remaining_ = 0;
    size_t sent_ = 0;
    bool cancelled_ = false;
};

// "404 Not Found": the status with its standard reason phrase, or the
// server's own for a status without one (HTTP/2 servers send none).
std::string HttpStatusText(int status, const std::string& serverPhrase);

}  // namespace tavel
