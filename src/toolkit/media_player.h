// A player for one video or sound file at a time. The video windows and the recipe media buttons
// drive it; the "stopped" notification (playback ran to its end) moves them on, and the "failed"
// one tells them that a file which opened cannot be played after all (decoding is asynchronous).
#pragma once

#include <functional>
#include <string>

namespace savora::toolkit {

class MediaPlayer {
 public:
  enum class State { Closed, Stopped, Playing };

  virtual ~MediaPlayer() = default;
  // Opens a file (a Windows-style or native name); false when it cannot be opened.
  virtual bool open(const std::string& fileName) = 0;
  virtual void play() = 0;
  virtual void stop() = 0;
  virtual void seekToStart() = 0;
  virtual void close() = 0;
  virtual State state() const = 0;
  virtual std::string fileName() const = 0;
  // Called when playback stops by itself.
  virtual void onStopped(std::function<void()> handler) = 0;
  // Called when the opened file turns out not to be playable.
  virtual void onFailed(std::function<void()> handler) = 0;
};

}  // namespace savora::toolkit
