#pragma once
// Forms: every form exists once, is loaded on first use (Show, Hide, or touching any of its
// controls or properties), keeps its own variables across Unload, and is shown modeless
// (with or without owner) or modal with a nested message loop. The program ends when no
// form is loaded.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <typeindex>
#include <vector>

#include "ui/ProgrammingError.h"
#include "ui/controls.h"
#include "ui/design.h"

namespace ui {

enum ShowMode { vbModeless = 0, vbModal = 1 };

class Form {
 public:
  Form(const FormDef& def, std::span<const Def> design);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& Name() const { return name_; }

  // Lifecycle.
  void Load();
  bool Loaded() const { return loaded_; }
  // Changes at every load. A handler that waits in a message loop (a message box, a
  // question of the shell) compares it with the value from before, to tell that the form
  // was unloaded meanwhile even when it was loaded again since.
  int LoadCount() const { return loadCount_; }
  void Show(ShowMode mode = vbModeless, Form* owner = nullptr);
  void Hide();
  // Runs Form_QueryUnload and Form_Unload; false when cancelled. A close asked of the window
  // (the close box, End Task) while the form is disabled waits until it is enabled again. A
  // form whose window is destroyed by another path (with its owner's) is unloaded too, with
  // Form_Unload run once and its Cancel not heeded.
  bool Unload();
  // Why a form unloads, as Form_QueryUnload is told.
  static constexpr int kUnloadByCloseBox = 0;
  static constexpr int kUnloadByCode = 1;
  bool UnloadBecause(int unloadMode);
  void Refresh();

  // Properties (touching one loads the form).
  std::string Caption();
  void SetCaption(const std::string& text);
  bool Visible();
  void SetVisible(bool v);
  bool Enabled();
  void SetEnabled(bool v);
  float Left();
  float Top();
  float Width();
  float Height();
  void Move(float left, float top, float width, float height);
  float ScaleWidth();
  float ScaleHeight();
  int ScaleMode();
  void SetScaleMode(int mode);
  float FontSize();
  HWND hWnd();
  bool IsModal() const { return modal_; }

  // The controls, in design order (the order scaling walks them).
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  Control& Controls(int i) const { return *controls_[i]; }
  Control* Find(const std::string& name, int index = -1) const;
  // The named control; one the design lacks (or of another kind) is a programming error
  // and gives a stand-in of the asked kind that no window shows.
  template <class T>
  T& Get(const std::string& name, int index = -1) const;

  // Toolkit internals.
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool* handled);
  bool CreatingWindows() const { return creating_; }
  void EnsureLoaded() { if (!loaded_) Load(); }
  const FormDef& design() const { return def_; }
  HWND window() const { return hwnd_; }
  int NextControlId() { return nextId_++; }
  void RebuildMenu();
  void ArmTimer(Timer& timer);
  void UpdateToolTip(Control& control);
  HFONT FontFor(float size, bool bold, const std::string& name = "") const;
  float TwipsPerPixel() const { return tpp_; }
  // The control found, when it is a T; else (none found, or of another kind) a programming
  // error, and a stand-in T.
  template <class T>
  T& As(Control* found, const std::string& name, int index) const;
  template <class T>
  T& StandIn(const std::string& what) const;

 protected:
  // The form's own events; the designer names them so.
  virtual void Form_Load() {}
  virtual void Form_QueryUnload(int& cancel, int unloadMode) {}
  virtual void Form_Unload(int& cancel) {}
  virtual void Form_Activate() {}
  virtual void Form_Deactivate() {}
  virtual void Form_Resize() {}
  // Binds control events to the form's handlers; runs once, before the first load.
  virtual void BindEvents() {}
  // A message the toolkit does not handle itself (mouse wheel, custom messages ...).
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    return false;
  }

 private:
  void BuildControls();
  void CreateFormWindow();
  void ApplyOwner(Form* owner);
  void CenterOnScreen();
  void RunModalLoop();
  void DestroyWindows();
  void WindowDestroyed();
  void ForgetWindows();
  Control* ByWindow(HWND hwnd) const;
  Menu* MenuById(int id) const;
  void AddMenuItems(HMENU menu, Control* parent);
  void OnDefaultOrCancel(bool isDefault);

  std::string name_;
  FormDef def_;
  std::span<const Def> designRows_;
  std::vector<std::unique_ptr<Control>> controls_;
  mutable std::map<std::type_index, std::unique_ptr<Control>> standIns_;
  bool built_ = false;
  bool loaded_ = false;
  bool unloading_ = false;  // Form_Unload runs
  int loadCount_ = 0;
  bool creating_ = false;
  bool modal_ = false;
  bool visible_ = false;
  bool enabled_ = true;
  bool centred_ = false;
  bool closeHeld_ = false;  // a close came while the form was disabled
  HWND hwnd_ = nullptr;
  HWND tooltip_ = nullptr;
  HWND focusBeforeDeactivate_ = nullptr;
  HMENU menuBar_ = nullptr;
  std::string caption_;
  float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  int scaleMode_ = 1;
  float tpp_ = 15;
  int nextId_ = 100;
  int nextMenuId_ = 20000;
};

// The single instance of a form, created on first use:
//   inline ui::FormRef<FrmAbout> frmAbout;   ...   frmAbout->Show();
template <class T>
class FormRef {
 public:
  T* operator->() { return &get(); }
  T& operator*() { return get(); }
  T& get() {
    if (!instance_) instance_ = std::make_unique<T>();
    return *instance_;
  }
  bool Exists() const { return instance_ != nullptr; }

 private:
  std::unique_ptr<T> instance_;
};

// The running program.
int LoadedFormCount();
std::vector<Form*> LoadedForms();
Form* ActiveForm();
// Processes every waiting message, then returns.
void DoEvents();
// The message loop; returns when no form is loaded any more (or on WM_QUIT).
int RunMessageLoop();
// Depth of our window procedures and event handlers on the stack; windows of unloaded
// forms are destroyed only when it is 0.
int DispatchDepth();
// Counts a window procedure of ours for DispatchDepth while it lives: a control's own
// window procedure (a subclass) that raises events holds one.
class WindowProcScope {
 public:
  WindowProcScope();
  ~WindowProcScope();
  WindowProcScope(const WindowProcScope&) = delete;
  WindowProcScope& operator=(const WindowProcScope&) = delete;
};
void DestroyPendingWindows();
// Runs one message the way the loop does (keyboard navigation between controls included).
void DispatchOne(MSG& msg);

// ---- template members ----

Control* FindControl(Form* form, const char* name, int index);
std::vector<int> ArrayIndices(Form* form, const char* name);

inline constexpr Def kStandInDesign{.kind = Kind::Custom, .name = "(stand-in)"};

template <class T>
T& Form::StandIn(const std::string& what) const {
  ProgrammingError(what + " in " + name_);
  std::unique_ptr<Control>& standIn = standIns_[std::type_index(typeid(T))];
  if (!standIn) {
    standIn = std::make_unique<T>(const_cast<Form*>(this), kStandInDesign);
    standIn->ResetToDesign();
  }
  return static_cast<T&>(*standIn);
}

template <class T>
T& Form::As(Control* found, const std::string& name, int index) const {
  if (auto* control = dynamic_cast<T*>(found)) return *control;
  const std::string what = name + (index >= 0 ? "(" + std::to_string(index) + ")" : "");
  return StandIn<T>(found ? "control " + what + " is of another kind" : "no control " + what);
}

template <class T>
T& Form::Get(const std::string& name, int index) const {
  return As<T>(Find(name, index), name, index);
}

template <class T>
T& ControlArray<T>::operator[](int index) {
  return form_->template As<T>(FindControl(form_, name_, index), name_, index);
}

template <class T>
bool ControlArray<T>::Has(int index) const {
  return FindControl(form_, name_, index) != nullptr;
}

template <class T>
std::vector<int> ControlArray<T>::Indices() const {
  return ArrayIndices(form_, name_);
}

template <class T>
int ControlArray<T>::LBound() const {
  auto v = Indices();
  return v.empty() ? 0 : v.front();
}

template <class T>
int ControlArray<T>::UBound() const {
  auto v = Indices();
  return v.empty() ? -1 : v.back();
}

template <class T>
void ControlArray<T>::ForEach(const std::function<void(T&, int)>& fn) {
  for (int i : Indices()) fn((*this)[i], i);
}

template <class T>
T& Ctl<T>::get() {
  if (!cached_) {
    Control* found = FindControl(form_, name_, -1);
    cached_ = dynamic_cast<T*>(found);
    if (!cached_) return form_->template As<T>(found, name_, -1);
  }
  return *cached_;
}

}  // namespace ui
