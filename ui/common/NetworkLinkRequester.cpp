#include "ui/common/NetworkLinkRequester.h"

#include "ui/common/LocalText.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslError>
#include <QTimer>

namespace tavel {
namespace {

// Only the requester's own connections go: the reply's others carry the
// abort to the network thread.
void Drop(QNetworkReply* reply, QObject* requester) {
    QObject::disconnect(reply, nullptr, requester, nullptr);
    if (reply->isRunning()) reply->abort();
    reply->deleteLater();
}

}  // namespace

NetworkLinkRequester::NetworkLinkRequester(std::chrono::milliseconds timeout, QObject* parent)
    : QObject(parent), timeout_(timeout) {}

NetworkLinkRequester::~NetworkLinkRequester() { AbortAll(); }

void NetworkLinkRequester::Send(HttpMethod method, const std::string& address, Reply done) {
    QNetworkRequest request(QUrl(QString::fromUtf8(address.data(), static_cast<qsizetype>(address.size()))));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setHeader(QNetworkRequest::UserAgentHeader, "TavelBuilder-LinkCheck/2.1");
    QNetworkReply* reply = method == HttpMethod::Head ? network_.head(request) : network_.get(request);
    inFlight_[reply] = Request{std::move(done), {}};

    auto* timer = new QTimer(reply);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, [this, reply] { Finish(reply, {HttpOutcome::Kind::TimedOut, 0, "", ""}); });
    timer->start(timeout_);
    connect(reply, &QNetworkReply::sslErrors, this, [this, reply](const QList<QSslError>& errors) {
        if (!errors.isEmpty()) inFlight_[reply].tlsError = errors.front().errorString();
    });
    if (method == HttpMethod::Get) {
        // The status is all the check needs; the page itself is not fetched.
        connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] {
            if (reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid()) Finish(reply, OutcomeOf(reply));
        });
    }
    connect(reply, &QNetworkReply::finished, this, [this, reply] { Finish(reply, OutcomeOf(reply)); });
}

void NetworkLinkRequester::AbortAll() {
    auto dropped = std::move(inFlight_);
    inFlight_.clear();
    for (auto& [reply, request] : dropped) Drop(reply, this);
}

void NetworkLinkRequester::Finish(QNetworkReply* reply, const HttpOutcome& outcome) {
    auto it = inFlight_.find(reply);
    if (it == inFlight_.end()) return;
    Reply done = std::move(it->second.reply);
    inFlight_.erase(it);
    Drop(reply, this);
    done(outcome);
}

HttpOutcome NetworkLinkRequester::OutcomeOf(QNetworkReply* reply) const {
    using Kind = HttpOutcome::Kind;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid()) {
        // Read as sent: Qt's parsed header drops a relative location.
        const QByteArray location = reply->rawHeader("Location").trimmed();
        return {Kind::Status, status.toInt(),
                Bytes(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString()),
                location.isEmpty() ? std::string() : Bytes(reply->url().resolved(QUrl::fromEncoded(location)).toString())};
    }
    switch (reply->error()) {
        case QNetworkReply::HostNotFoundError: return {Kind::NameNotFound, 0, "", ""};
        case QNetworkReply::TimeoutError: return {Kind::TimedOut, 0, "", ""};
        case QNetworkReply::ConnectionRefusedError:
        case QNetworkReply::TemporaryNetworkFailureError:
        case QNetworkReply::NetworkSessionFailedError:
        case QNetworkReply::ProxyConnectionRefusedError:
        case QNetworkReply::ProxyNotFoundError: return {Kind::CannotConnect, 0, "", ""};
        case QNetworkReply::SslHandshakeFailedError: {
            auto it = inFlight_.find(reply);
            const QString name = it != inFlight_.end() && !it->second.tlsError.isEmpty() ? it->second.tlsError
                                                                                         : reply->errorString();
            return {Kind::TlsError, 0, Bytes(name), ""};
        }
        default: return {Kind::Failed, 0, Bytes(reply->errorString()), ""};
    }
}

}  // namespace tavel
