#pragma once

#include "tools/LinkRequester.h"

#include <QNetworkAccessManager>
#include <QObject>

#include <chrono>
#include <unordered_map>

class QNetworkReply;

namespace tavel {

// The link check's requests through Qt Network, each asynchronous on the
// calling thread's event loop. Redirects come back to the check, which
// follows them itself; a GET is dropped as soon as its status line is in,
// so no page is downloaded.
class NetworkLinkRequester : public QObject, public LinkRequester {
    Q_OBJECT

public:
    explicit NetworkLinkRequester(std::chrono::milliseconds timeout = kLinkRequestTimeout, QObject* parent = nullptr);
    ~NetworkLinkRequester() override;

    void Send(HttpMethod method, const std::string& address, Reply reply) override;
    void AbortAll() override;

    size_t InFlight() const { return inFlight_.size(); }

private:
    struct Request {
        Reply reply;
        QString tlsError;
    };
    // Ends the request with `outcome`: its reply is told once, and whatever
    // the network still does for it is dropped.
    void Finish(QNetworkReply* reply, const HttpOutcome& outcome);
    HttpOutcome OutcomeOf(QNetworkReply* reply) const;

    QNetworkAccessManager network_;
    std::chrono::milliseconds timeout_;
    std::unordered_map<QNetworkReply*, Request> inFlight_;
};

}  // namespace tavel
