#include "tools/WebLinkCheck.h"

#include <utility>

namespace tavel {
namespace {

const char* StandardPhrase(int status) {
    switch (status) {
        case 200: return "OK";
        case 201: return "Created";
        case 202: return "Accepted";
        case 203: return "Non-Authoritative Information";
        case 204: return "No Content";
        case 206: return "Partial Content";
        case 300: return "Multiple Choices";
        case 301: return "Moved Permanently";
        case 302: return "Found";
        case 303: return "See Other";
        case 304: return "Not Modified";
        case 307: return "Temporary Redirect";
        case 308: return "Permanent Redirect";
        case 400: return "Bad Request";
        case 401: return "Unauthorized";
        case 402: return "Payment Required";
        case 403: return "Forbidden";
        case 404: return "Not Found";
        case 405: return "Method Not Allowed";
        case 406: return "Not Acceptable";
        case 407: return "Proxy Authentication Required";
        case 408: return "Request Timeout";
        case 409: return "Conflict";
        case 410: return "Gone";
        case 411: return "Length Required";
        case 412: return "Precondition Failed";
        case 414: return "URI Too Long";
        case 415: return "Unsupported Media Type";
        case 418: return "I'm a teapot";
        case 421: return "Misdirected Request";
        case 425: return "Too Early";
        case 426: return "Upgrade Required";
        case 428: return "Precondition Required";
        case 429: return "Too Many Requests";
        case 431: return "Request Header Fields Too Large";
        case 451: return "Unavailable For Legal Reasons";
        case 500: return "Internal Server Error";
        case 501: return "Not Implemented";
        case 502: return "Bad Gateway";
        case 503: return "Service Unavailable";
        case 504: return "Gateway Timeout";
        case 505: return "HTTP Version Not Supported";
        case 508: return "Loop Detected";
        case 511: return "Network Authentication Required";
        default: return nullptr;
    }
}

bool IsRedirect(int status) { return status == 301 || status == 302 || status == 303 || status == 307 || status == 308; }

LinkResult Broken(std::string text) { return {LinkResultKind::Broken, std::move(text)}; }
LinkResult Unreachable(std::string text) { return {LinkResultKind::Broken, std::move(text), true}; }

}  // namespace

std::string HttpStatusText(int status, const std::string& serverPhrase) {
    const char* phrase = StandardPhrase(status);
    std::string text = std::to_string(status);
    if (phrase != nullptr)
        text += std::string(" ") + phrase;
    else if (!serverPhrase.empty())
        text += " " + serverPhrase;
    return text;
}

WebLinkCheck::WebLinkCheck(std::vector<WebAddress> addresses, LinkRequester& requester, ResultSink sink, Limits limits)
    : addresses_(std::move(addresses)),
      requester_(requester),
      sink_(std::move(sink)),
      limits_(limits),
      scheduler_(limits.overall, limits.perHost),
      remaining_(addresses_.size()) {
    jobs_.resize(addresses_.size());
    for (size_t i = 0; i < addresses_.size(); ++i) jobs_[i].address = addresses_[i].address;
}

WebLinkCheck::~WebLinkCheck() {
    if (scheduler_.Running() > 0) requester_.AbortAll();
}

void WebLinkCheck::Start() {
    for (size_t i = 0; i < addresses_.size(); ++i) scheduler_.Add(i, addresses_[i].host);
    SendWaiting();
}

void WebLinkCheck::Cancel() {
    if (cancelled_) return;
    cancelled_ = true;
    scheduler_.DropWaiting();
    requester_.AbortAll();
}

void WebLinkCheck::SendWaiting() {
    while (!cancelled_) {
        std::optional<size_t> job = scheduler_.Next();
        if (!job) break;
        Send(*job);
    }
}

void WebLinkCheck::Send(size_t job) {
    ++sent_;
    requester_.Send(jobs_[job].method, jobs_[job].address,
                    [this, job](const HttpOutcome& outcome) { Received(job, outcome); });
}

void WebLinkCheck::Received(size_t index, const HttpOutcome& outcome) {
    if (cancelled_) return;
    Job& job = jobs_[index];
    switch (outcome.kind) {
        case HttpOutcome::Kind::Status:
            if (job.method == HttpMethod::Head && (outcome.status == 405 || outcome.status == 501)) {
                job.method = HttpMethod::Get;
                Send(index);
                return;
            }
            if (IsRedirect(outcome.status) && !outcome.location.empty()) {
                job.movedPermanently = job.movedPermanently || outcome.status == 301 || outcome.status == 308;
                if (++job.redirects > limits_.redirects) return Settle(index, Broken("too many redirects"));
                std::optional<WebAddress> next = ParseWebAddress(outcome.location);
                if (!next) return Settle(index, {LinkResultKind::Warning, "moved to " + outcome.location});
                job.address = next->address;
                Send(index);
                return;
            }
            return Settle(index, StatusResult(job, outcome));
        case HttpOutcome::Kind::TimedOut: return Settle(index, Unreachable(kTimedOut));
        case HttpOutcome::Kind::CannotConnect: return Settle(index, Unreachable(kCannotConnect));
        case HttpOutcome::Kind::NameNotFound: return Settle(index, Unreachable(kNameNotFound));
        case HttpOutcome::Kind::TlsError: return Settle(index, Broken("TLS error: " + outcome.detail));
        case HttpOutcome::Kind::Failed: return Settle(index, Broken(outcome.detail.empty() ? "failed" : outcome.detail));
    }
}

LinkResult WebLinkCheck::StatusResult(const Job& job, const HttpOutcome& outcome) const {
    const int status = outcome.status;
    if (status >= 200 && status <= 299) {
        if (job.movedPermanently) return {LinkResultKind::Warning, "moved permanently to " + job.address};
        return LinkOk();
    }
    std::string text = HttpStatusText(status, outcome.detail);
    if (job.redirects > 0) text += " at " + job.address;
    return {status >= 400 ? LinkResultKind::Broken : LinkResultKind::Warning, text};
}

void WebLinkCheck::Settle(size_t job, const LinkResult& result) {
    scheduler_.Finished(job);
    --remaining_;
    sink_(job, result);
    SendWaiting();
}

}  // namespace tavel
