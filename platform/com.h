#pragma once
// What the wrappers over COM share: interface pointers, BSTRs and VARIANTs that free
// themselves, text between BSTRs and the ANSI code page, and COM on the calling thread.
#include <windows.h>
#include <oleauto.h>

#include <string>

namespace platform {

// A COM interface pointer that releases itself.
template <class T>
class Com {
 public:
  Com() = default;
  ~Com() { Reset(); }
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  T* operator->() const { return p_; }
  T* get() const { return p_; }
  T** put() {
    Reset();
    return &p_;
  }
  explicit operator bool() const { return p_ != nullptr; }
  void Reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }

 private:
  T* p_ = nullptr;
};

// A BSTR that frees itself: made from ANSI text, or received from a call.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(const std::string& text);
  ~Bstr() { SysFreeString(s_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR get() const { return s_; }
  BSTR* put() {
    SysFreeString(s_);
    s_ = nullptr;
    return &s_;
  }

 private:
  BSTR s_ = nullptr;
};

// A VARIANT that clears itself.
struct Variant {
  VARIANT v;
  Variant() { VariantInit(&v); }
  ~Variant() { VariantClear(&v); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
};

// A BSTR's text in the ANSI code page (null reads as "").
std::string AnsiFromBstr(BSTR text);

// COM on this thread, once: a single-threaded apartment that stays initialised for the
// life of the program. A thread that is already in a multithreaded apartment keeps it.
// Meant for the user-interface thread.
void EnsureCom();

}  // namespace platform
