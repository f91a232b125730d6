#pragma once
// Sounds (sndPlaySoundA) and opening web addresses: both reach outside the program, so
// tests record them instead.
#include <windows.h>

#include <string>

#include "platform/seam.h"

namespace platform {

class Sound {
 public:
  virtual ~Sound() = default;
  virtual bool Play(const std::string& path, UINT flags) = 0;  // sndPlaySoundA
  static Sound& Real();
};
inline Sound& sound() { return Seam<Sound>::Get(); }

class WebBrowser {
 public:
  virtual ~WebBrowser() = default;
  // ShellExecuteA "open" on a web address; returns ShellExecute's result.
  virtual INT_PTR Open(const std::string& address) = 0;
  static WebBrowser& Real();
};
inline WebBrowser& webBrowser() { return Seam<WebBrowser>::Get(); }

}  // namespace platform
