// Reading the version file over HTTP: a local server that answers, one that
// answers with an error, one that never answers, and a port nobody listens
// on. Every fetch ends (with the body or a reason) without the network.
#include "app/qt/QtWindowHost.h"

#include <gtest/gtest.h>

#include <QMainWindow>
#include <QTcpServer>
#include <QTcpSocket>

#include "editor/qt/QtTestSupport.h"

namespace {

// Answers every request on the loopback address with `reply` (nothing when
// empty) and keeps the connection open.
struct LocalServer {
  QTcpServer server;
  explicit LocalServer(QByteArray reply) {
    server.listen(QHostAddress::LocalHost);
    QObject::connect(&server, &QTcpServer::newConnection, &server, [this, reply] {
      while (QTcpSocket* socket = server.nextPendingConnection()) {
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket, reply] {
          socket->readAll();
          if (reply.isEmpty()) return;
          socket->write(reply);
          socket->disconnectFromHost();
        });
      }
    });
  }
  std::string Address() const { return "http://127.0.0.1:" + std::to_string(server.serverPort()) + "/version.txt"; }
};

QByteArray Http(const char* status, const QByteArray& body) {
  return QByteArray("HTTP/1.0 ") + status + "\r\nContent-Type: text/plain\r\nContent-Length: " +
         QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

TEST(QtWindowHostFetch, ReadsTheBodyOfAnAnswer) {
  TestApp();
  QMainWindow window;
  QtWindowHost host(&window);
  LocalServer server(Http("200 OK", "10000\r\n"));
  const FetchResult r = host.Fetch(server.Address(), 10000);
  EXPECT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.body, "10000\r\n");
}

TEST(QtWindowHostFetch, AnErrorAnswerIsAFailureWithAReason) {
  TestApp();
  QMainWindow window;
  QtWindowHost host(&window);
  LocalServer server(Http("404 Not Found", "gone"));
  const FetchResult r = host.Fetch(server.Address(), 10000);
  EXPECT_FALSE(r.ok);
  EXPECT_FALSE(r.error.empty());
}

TEST(QtWindowHostFetch, ARefusedConnectionFails) {
  TestApp();
  QMainWindow window;
  QtWindowHost host(&window);
  quint16 port = 0;
  {
    QTcpServer probe;  // a port that was free a moment ago and is closed now
    probe.listen(QHostAddress::LocalHost);
    port = probe.serverPort();
  }
  const FetchResult r = host.Fetch("http://127.0.0.1:" + std::to_string(port) + "/version.txt", 10000);
  EXPECT_FALSE(r.ok);
  EXPECT_FALSE(r.error.empty());
}

TEST(QtWindowHostFetch, AServerThatNeverAnswersIsGivenUpAtTheLimit) {
  TestApp();
  QMainWindow window;
  QtWindowHost host(&window);
  LocalServer server{QByteArray()};
  const FetchResult r = host.Fetch(server.Address(), 300);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error, "応答がありません。");
}

TEST(QtWindowHost, MovesTheWindowOutOfTheMaximisedStateAndReportsItsInside) {
  TestApp();
  QMainWindow window;
  QtWindowHost host(&window);
  window.showMaximized();
  host.MoveWindow({30, 40, 500, 400});
  EXPECT_FALSE(window.isMaximized());
  EXPECT_EQ(host.WindowRect().width, 500);
  EXPECT_EQ(host.WindowRect().height, 400);
  EXPECT_GT(host.MinimumWidth(), 0);
}

}  // namespace
