#pragma once
// Test helpers that catch what the foundation would show: the log's lines and the message
// boxes, each for the life of the object.

#include <sstream>
#include <string>
#include <vector>

#include "foundation/error_box.h"
#include "foundation/log.h"

class CLogCapture {
 public:
  CLogCapture() { LogAttach(&stream_); }
  ~CLogCapture() { LogAttach(nullptr); }
  CLogCapture(const CLogCapture&) = delete;
  CLogCapture& operator=(const CLogCapture&) = delete;

  std::string Text() const { return stream_.str(); }

 private:
  std::ostringstream stream_;
};

class CErrorBoxCapture {
 public:
  CErrorBoxCapture()
      : previous_(SetErrorBoxHandler([this](const std::string& text) { texts_.push_back(text); })) {
  }
  ~CErrorBoxCapture() { SetErrorBoxHandler(previous_); }
  CErrorBoxCapture(const CErrorBoxCapture&) = delete;
  CErrorBoxCapture& operator=(const CErrorBoxCapture&) = delete;

  const std::vector<std::string>& Texts() const { return texts_; }

 private:
  ErrorBoxHandler previous_;
  std::vector<std::string> texts_;
};
