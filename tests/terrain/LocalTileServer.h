#pragma once
// A tiny HTTP server on 127.0.0.1 for the download tests: answers each GET from a handler and
// closes the connection. A reply can be cut short: the headers promise the whole body, half of
// it is sent, then the connection is dropped. A reply can trickle: one byte of the body every
// so many milliseconds, never silent for long.
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

namespace orv::terrain::test {

struct HttpReply {
    int status = 200;
    std::string body;
    bool cut = false;
    int trickleMs = 0;  // > 0: a byte of the body at a time
};

class LocalTileServer {
public:
    explicit LocalTileServer(std::function<HttpReply(const std::string& path)> handler)
        : handler_(std::move(handler)) {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { serve(socket); });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }

    std::string base() const { return "http://127.0.0.1:" + std::to_string(server_.serverPort()); }
    const std::vector<std::string>& requested() const { return requested_; }
    void stop() { server_.close(); }

private:
    void serve(QTcpSocket* socket) {
        QByteArray& buffer = pending_[socket];
        buffer += socket->readAll();
        const qsizetype end = buffer.indexOf("\r\n\r\n");
        if (end < 0) return;
        const QList<QByteArray> first = buffer.left(buffer.indexOf("\r\n")).split(' ');
        pending_.erase(socket);
        const std::string path = first.size() > 1 ? first[1].toStdString() : "";
        requested_.push_back(path);
        const HttpReply reply = handler_(path);
        std::string head = "HTTP/1.1 " + std::to_string(reply.status) + (reply.status == 200 ? " OK" : " Not Found") +
                           "\r\nContent-Length: " + std::to_string(reply.body.size()) + "\r\nConnection: close\r\n\r\n";
        const std::string body = reply.cut ? reply.body.substr(0, reply.body.size() / 2) : reply.body;
        if (reply.trickleMs > 0) {
            socket->write(head.c_str(), static_cast<qint64>(head.size()));
            auto* timer = new QTimer(socket);
            QObject::connect(timer, &QTimer::timeout, socket, [socket, timer, body, sent = size_t{0}]() mutable {
                if (sent == body.size()) {
                    timer->stop();
                    socket->disconnectFromHost();
                    return;
                }
                socket->write(body.c_str() + sent++, 1);
            });
            timer->start(reply.trickleMs);
            return;
        }
        socket->write((head + body).c_str(), static_cast<qint64>(head.size() + body.size()));
        socket->flush();
        if (reply.cut) socket->abort();
        else socket->disconnectFromHost();
    }

    std::function<HttpReply(const std::string&)> handler_;
    QTcpServer server_;
    std::map<QTcpSocket*, QByteArray> pending_;
    std::vector<std::string> requested_;
};

}  // namespace orv::terrain::test
