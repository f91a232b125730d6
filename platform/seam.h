#pragma once
// A seam is an interface whose default is the real platform implementation and which a
// test replaces for its own scope:
//
//   FakeDialogs fake;
//   platform::Override<platform::Dialogs> use(fake);
//
// Each interface I provides `static I& Real();`.
namespace platform {

template <class I>
class Seam {
 public:
  static I& Get() { return current_ ? *current_ : I::Real(); }
  static I* Current() { return current_; }
  static void Set(I* impl) { current_ = impl; }

 private:
  static inline I* current_ = nullptr;
};

template <class I>
class Override {
 public:
  explicit Override(I& impl) : previous_(Seam<I>::Current()) { Seam<I>::Set(&impl); }
  ~Override() { Seam<I>::Set(previous_); }
  Override(const Override&) = delete;
  Override& operator=(const Override&) = delete;

 private:
  I* previous_;
};

}  // namespace platform
