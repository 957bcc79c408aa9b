#include "app/qt/QtWindowHost.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QUrl>
#include <algorithm>

namespace {

QRect ScreenArea() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry() : QRect(0, 0, 1920, 1080);
}

}  // namespace

WindowBox QtWindowHost::WindowRect() {
  if (!window_) return {};
  const QRect frame = window_->frameGeometry();
  return {frame.x(), frame.y(), window_->width(), window_->height()};
}

void QtWindowHost::MoveWindow(const WindowBox& box) {
  if (!window_) return;
  if (window_->isMaximized() || window_->isFullScreen()) window_->showNormal();
  window_->resize(std::max(1, box.width), std::max(1, box.height));
  window_->move(box.x, box.y);
}

int QtWindowHost::ScreenWidth() { return ScreenArea().width(); }
int QtWindowHost::ScreenHeight() { return ScreenArea().height(); }

int QtWindowHost::CaptionHeight() {
  const QStyle* style = window_ ? window_->style() : QApplication::style();
  return style ? style->pixelMetric(QStyle::PM_TitleBarHeight) : 24;
}

int QtWindowHost::MinimumWidth() { return window_ ? std::max(1, window_->minimumSizeHint().width()) : 1; }
int QtWindowHost::MinimumHeight() { return window_ ? std::max(1, window_->minimumSizeHint().height()) : 1; }

std::string QtWindowHost::ExecutablePath() {
  return QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString();
}

FetchResult QtWindowHost::Fetch(const std::string& address, int timeoutMs) {
  FetchResult result;
  QNetworkAccessManager manager;
  QNetworkRequest request(QUrl(QString::fromStdString(address)));
  request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
  request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
  request.setTransferTimeout(timeoutMs);
  QNetworkReply* reply = manager.get(request);
  QEventLoop loop;
  QTimer limit;
  limit.setSingleShot(true);
  QObject::connect(&limit, &QTimer::timeout, reply, &QNetworkReply::abort);
  QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
  limit.start(timeoutMs);
  if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
  limit.stop();
  const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
  if (reply->error() != QNetworkReply::NoError) {
    result.error = reply->error() == QNetworkReply::OperationCanceledError
                       ? std::string("応答がありません。")
                       : reply->errorString().toStdString();
  } else if (status.isValid() && status.toInt() != 200) {
    result.error = "サーバーの応答: " + std::to_string(status.toInt());
  } else {
    result.ok = true;
    result.body = reply->readAll().toStdString();
  }
  delete reply;
  return result;
}

void QtWindowHost::CloseWindow() {
  if (window_) window_->close();
}

// QMessageBox::about shows the application's window icon beside the text.
bool QtWindowHost::ShowAbout(const std::string& title, const std::string& text) {
  QMessageBox::about(window_, QString::fromStdString(title), QString::fromStdString(text));
  return true;
}

void QtWindowHost::BeginWait() { QApplication::setOverrideCursor(Qt::WaitCursor); }
void QtWindowHost::EndWait() { QApplication::restoreOverrideCursor(); }
