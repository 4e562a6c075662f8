#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QTcpServer>

#include <atomic>

class QTcpSocket;

namespace tavel::test {

// A small HTTP/1.1 server on 127.0.0.1 for the link check, answering by
// path: /ok... 200, /missing 404, /moved 301 to /ok/moved-here, /nohead 405 to HEAD
// and 200 to GET, /error 500, /held... only when the test releases it (200),
// and /slow... never. Connections stay open between requests.
class LocalHttpServer : public QObject {
    Q_OBJECT

public:
    LocalHttpServer();
    ~LocalHttpServer() override;

    // Listens on a free port of 127.0.0.1; whether it could.
    bool Listen();
    quint16 Port() const { return port_; }
    QString Url(const QString& path) const;

    // "HEAD /ok" for every request received, in order.
    QStringList Requests() const { return requests_; }
    int RequestCount() const { return requestCount_; }
    // Requests held unanswered on connections still open, and the most there were at once.
    int Held() const { return static_cast<int>(held_.size()); }
    int MostHeld() const { return mostHeld_; }
    // Answers every held /held request with 200.
    void ReleaseHeld();

private:
    void Accept();
    void Read(QTcpSocket* socket);
    void Answer(QTcpSocket* socket, const QByteArray& method, const QByteArray& path);
    void Forget(QTcpSocket* socket);

    QTcpServer server_;
    quint16 port_ = 0;
    QStringList requests_;
    std::atomic<int> requestCount_ = 0;
    QList<QTcpSocket*> held_;
    QList<QTcpSocket*> releasable_;
    int mostHeld_ = 0;
};

}  // namespace tavel::test
