// The media player on Qt Multimedia: video into a video widget, or sound alone.
#pragma once

#include <QPointer>
#include <QVideoWidget>
#include <memory>

#include "toolkit/media_player.h"

class QMediaPlayer;
class QAudioOutput;
class QWidget;

namespace savora::toolkit {

class QtMediaPlayer : public MediaPlayer {
 public:
  // `videoParent`: the widget the video area goes into; null for sound only.
  explicit QtMediaPlayer(QWidget* videoParent = nullptr);
  ~QtMediaPlayer() override;

  bool open(const std::string& fileName) override;
  void play() override;
  void stop() override;
  void seekToStart() override;
  void close() override;
  State state() const override;
  std::string fileName() const override { return fileName_; }
  void onStopped(std::function<void()> handler) override;
  void onFailed(std::function<void()> handler) override;
  // Places the video area inside its parent.
  void placeVideo(int x, int y, int width, int height);

 private:
  std::unique_ptr<QMediaPlayer> player_;
  std::unique_ptr<QAudioOutput> audio_;
  // Owned by its parent widget, which may go first (a window's widgets before the window).
  QPointer<QVideoWidget> video_;
  std::string fileName_;
  std::function<void()> stopped_;
  std::function<void()> failed_;
};

}  // namespace savora::toolkit
