#include "support/LocalHttpServer.h"

#include <QHostAddress>
#include <QTcpSocket>

namespace tavel::test {
namespace {

void Reply(QTcpSocket* socket, const QByteArray& statusLine, const QByteArray& extra = {}) {
    socket->write("HTTP/1.1 " + statusLine + "\r\nContent-Length: 0\r\n" + extra + "\r\n");
}

}  // namespace

LocalHttpServer::LocalHttpServer() : server_(this) {
    connect(&server_, &QTcpServer::newConnection, this, &LocalHttpServer::Accept);
}

LocalHttpServer::~LocalHttpServer() = default;

bool LocalHttpServer::Listen() {
    if (!server_.listen(QHostAddress::LocalHost, 0)) return false;
    server_.setMaxPendingConnections(1000);
    port_ = server_.serverPort();
    return true;
}

QString LocalHttpServer::Url(const QString& path) const { return QString("http://127.0.0.1:%1%2").arg(port_).arg(path); }

void LocalHttpServer::ReleaseHeld() {
    for (QTcpSocket* socket : std::exchange(releasable_, {})) {
        held_.removeOne(socket);
        Reply(socket, "200 OK");
    }
}

void LocalHttpServer::Accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            Forget(socket);
            socket->deleteLater();
        });
    }
}

void LocalHttpServer::Read(QTcpSocket* socket) {
    QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
    for (qsizetype end; (end = buffer.indexOf("\r\n\r\n")) >= 0;) {
        const QList<QByteArray> requestLine = buffer.left(buffer.indexOf("\r\n")).split(' ');
        buffer.remove(0, end + 4);
        if (requestLine.size() < 2) continue;
        requests_ << QString::fromLatin1(requestLine[0] + " " + requestLine[1]);
        ++requestCount_;
        Answer(socket, requestLine[0], requestLine[1]);
    }
    socket->setProperty("buffer", buffer);
}

void LocalHttpServer::Answer(QTcpSocket* socket, const QByteArray& method, const QByteArray& path) {
    if (path.startsWith("/ok")) return Reply(socket, "200 OK");
    if (path == "/missing") return Reply(socket, "404 Not Found");
    if (path == "/moved") return Reply(socket, "301 Moved Permanently", "Location: /ok/moved-here\r\n");
    if (path == "/nohead") return Reply(socket, method == "HEAD" ? "405 Method Not Allowed" : "200 OK");
    if (path == "/error") return Reply(socket, "500 Internal Server Error");
    if (path.startsWith("/held") || path.startsWith("/slow")) {
        held_ << socket;
        if (path.startsWith("/held")) releasable_ << socket;
        mostHeld_ = std::max(mostHeld_, Held());
        return;
    }
    Reply(socket, "404 Not Found");
}

void LocalHttpServer::Forget(QTcpSocket* socket) {
    held_.removeAll(socket);
    releasable_.removeAll(socket);
}

}  // namespace tavel::test
