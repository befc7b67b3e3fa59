#include "toolkit/qt_media_player.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>
#include <QVideoWidget>

#include "platform/paths.h"

namespace savora::toolkit {

QtMediaPlayer::QtMediaPlayer(QWidget* videoParent)
    : player_(std::make_unique<QMediaPlayer>()), audio_(std::make_unique<QAudioOutput>()) {
  player_->setAudioOutput(audio_.get());
  if (videoParent) {
    video_ = new QVideoWidget(videoParent);
    player_->setVideoOutput(video_);
  }
  QObject::connect(player_.get(), &QMediaPlayer::mediaStatusChanged, player_.get(),
                   [this](QMediaPlayer::MediaStatus status) {
                     if (status == QMediaPlayer::EndOfMedia && stopped_) stopped_();
                     if (status == QMediaPlayer::InvalidMedia && failed_) failed_();
                   });
  QObject::connect(player_.get(), &QMediaPlayer::errorOccurred, player_.get(),
                   [this](QMediaPlayer::Error error) {
                     if (error != QMediaPlayer::NoError && !fileName_.empty() && failed_) failed_();
                   });
}

QtMediaPlayer::~QtMediaPlayer() {
  player_->stop();
}

bool QtMediaPlayer::open(const std::string& fileName) {
  const QFileInfo file(QString::fromStdString(platform::nativePath(fileName)));
  if (!file.isFile() || !file.isReadable()) return false;
  fileName_ = fileName;
  player_->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
  return player_->error() == QMediaPlayer::NoError;
}

void QtMediaPlayer::play() {
  if (video_) video_->show();
  player_->play();
}

void QtMediaPlayer::stop() {
  player_->stop();
}
void QtMediaPlayer::seekToStart() {
  player_->setPosition(0);
}

void QtMediaPlayer::close() {
  player_->stop();
  player_->setSource(QUrl());
  fileName_.clear();
  if (video_) video_->hide();
}

MediaPlayer::State QtMediaPlayer::state() const {
  if (fileName_.empty()) return State::Closed;
  return player_->playbackState() == QMediaPlayer::PlayingState ? State::Playing : State::Stopped;
}

void QtMediaPlayer::onStopped(std::function<void()> handler) {
  stopped_ = std::move(handler);
}

void QtMediaPlayer::onFailed(std::function<void()> handler) {
  failed_ = std::move(handler);
}

void QtMediaPlayer::placeVideo(int x, int y, int width, int height) {
  if (video_) video_->setGeometry(x, y, width, height);
}

}  // namespace savora::toolkit
