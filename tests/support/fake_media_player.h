// A media player for tests: "opens" files that exist, plays until told it reached the end.
#pragma once

#include "platform/file_ops.h"
#include "toolkit/media_player.h"

namespace savora::testing {

class FakeMediaPlayer : public toolkit::MediaPlayer {
 public:
  bool open(const std::string& fileName) override {
    if (!platform::fileExists(fileName) || platform::isFolder(fileName)) return false;
    fileName_ = fileName;
    state_ = State::Stopped;
    opened.push_back(fileName);
    return true;
  }
  void play() override {
    if (state_ != State::Closed) state_ = State::Playing;
  }
  void stop() override {
    if (state_ == State::Playing) state_ = State::Stopped;
  }
  void seekToStart() override { ++rewinds; }
  void close() override {
    state_ = State::Closed;
    fileName_.clear();
  }
  State state() const override { return state_; }
  std::string fileName() const override { return fileName_; }
  void onStopped(std::function<void()> handler) override { stopped_ = std::move(handler); }
  void onFailed(std::function<void()> handler) override { failed_ = std::move(handler); }
  // The playing file ran to its end.
  void finish() {
    state_ = State::Stopped;
    if (stopped_) stopped_();
  }

  // The opened file turned out not to be playable.
  void fail() {
    state_ = State::Stopped;
    if (failed_) failed_();
  }

  std::vector<std::string> opened;
  int rewinds = 0;

 private:
  State state_ = State::Closed;
  std::string fileName_;
  std::function<void()> stopped_;
  std::function<void()> failed_;
};

}  // namespace savora::testing
