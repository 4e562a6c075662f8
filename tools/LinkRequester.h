#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace tavel {

// How long one request may take before the link counts as timed out.
inline constexpr std::chrono::milliseconds kLinkRequestTimeout{10'000};

enum class HttpMethod { Head, Get };

// How one request ended: with an HTTP status, or without one and why.
struct HttpOutcome {
    enum class Kind { Status, TimedOut, CannotConnect, NameNotFound, TlsError, Failed };
    Kind kind = Kind::Failed;
    int status = 0;
    // The server's reason phrase with a status, the error's name for a TLS
    // error, what went wrong for any other failure.
    std::string detail;
    // Where a redirect points, as an absolute address.
    std::string location;
};

// Sends the link check's requests. The check decides what to ask and when;
// this only asks and tells it what came back, so the check runs the same on
// the network and against a script in the tests.
class LinkRequester {
public:
    using Reply = std::function<void(const HttpOutcome&)>;

    virtual ~LinkRequester() = default;
    // Sends one request for `address` (http or https, absolute). `reply` is
    // called exactly once, later, from the caller's event loop: never from
    // within Send, and never after AbortAll.
    virtual void Send(HttpMethod method, const std::string& address, Reply reply) = 0;
    // Drops every request in flight at once; none of their replies comes.
    virtual void AbortAll() = 0;
};

}  // namespace tavel
