#pragma once
// The controls of a form. Every control is a real child window of its standard class
// (Static, Edit, Button, ComboBox, ListBox, ScrollBar) so keyboard, accessibility tools and
// automation see what a user sees. A control's state lives in the object and is mirrored to
// its window while the form is loaded; reading or setting any property loads the form first.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/design.h"

namespace ui {

class Form;

class Control {
 public:
  Control(Form* form, const Def& def);
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Kind kind() const { return def_.kind; }
  const std::string& Name() const { return name_; }
  int Index() const { return index_; }
  Form& form() const { return *form_; }
  Control* Container() const { return container_; }
  const Def& design() const { return def_; }

  // Geometry in twips, relative to the container.
  float Left();
  float Top();
  float Width();
  float Height();
  void SetLeft(float v);
  void SetTop(float v);
  void SetWidth(float v);
  void SetHeight(float v);
  void Move(float left, float top, float width, float height);

  bool Visible();
  void SetVisible(bool v);
  bool Enabled();
  void SetEnabled(bool v);

  // Caption of labels, buttons, frames ...; the Text of text boxes and combo boxes.
  virtual std::string Caption();
  virtual void SetCaption(const std::string& text);

  std::string ToolTipText();
  void SetToolTipText(const std::string& text);

  virtual bool HasFont() const { return true; }
  float FontSize();
  void SetFontSize(float points);
  bool FontBold();
  void SetFontBold(bool bold);

  COLORREF ForeColor();
  void SetForeColor(COLORREF c);
  COLORREF BackColor();
  void SetBackColor(COLORREF c);

  void SetFocus();
  void Refresh();
  HWND hWnd();

  // Events a user raises; setting a value from code raises them too.
  std::function<void()> Click;
  std::function<void()> DblClick;
  std::function<void()> Change;
  std::function<void()> GotFocus;
  std::function<void()> LostFocus;
  std::function<void(int button, int shift, float x, float y)> MouseMove;
  std::function<void(int button, int shift, float x, float y)> MouseDown;
  std::function<void(int button, int shift, float x, float y)> MouseUp;
  std::function<void(int& keyAscii)> KeyPress;

  // Toolkit internals.
  virtual bool IsContainer() const { return false; }
  virtual bool HasWindow() const { return true; }
  void ResetToDesign();
  void CreateWindowNow();
  void DetachWindow();  // the form destroyed the windows
  HWND window() const { return hwnd_; }
  int id() const { return id_; }
  virtual void OnCommand(int code) {}
  virtual LRESULT OnCtlColor(HDC dc, UINT message);
  virtual void OnDrawItem(const DRAWITEMSTRUCT&) {}
  virtual void OnScroll(int code, int pos) {}
  // A WM_NOTIFY from the control's window; true when handled, with *result to return.
  virtual bool OnNotify(const NMHDR& header, LRESULT* result) { return false; }
  float TwipsPerPixel() const;
  int ToPixels(float twips) const;
  void Raise(const std::function<void()>& handler);

 protected:
  virtual const char* WindowClass() const = 0;
  virtual DWORD WindowStyle() const = 0;
  virtual DWORD WindowExStyle() const { return 0; }
  virtual void AfterCreate() {}     // push kind-specific state into the new window
  virtual void ResetKindState() {}  // kind-specific design values
  virtual int CreateHeightPx() const;
  void Touch();  // loads the form
  void ApplyGeometry();
  void ApplyFont();
  void UpdateToolTip();
  HWND ParentWindow() const;
  bool Creating() const;

  Form* form_;
  Def def_;
  std::string name_;
  int index_;
  Control* container_ = nullptr;
  HWND hwnd_ = nullptr;
  int id_ = 0;
  // State, reset to the design at each load.
  Rect rect_{};
  bool visible_ = true;
  bool enabled_ = true;
  std::string caption_;
  std::string tip_;
  float fontSize_ = 8;
  bool bold_ = false;
  COLORREF fore_ = kDefaultColor;
  COLORREF back_ = kDefaultColor;
  HBRUSH backBrush_ = nullptr;

  friend class Form;
};

class Label : public Control {
 public:
  using Control::Control;
  // A new caption raises Change.
  void SetCaption(const std::string& text) override;
  LRESULT OnCtlColor(HDC dc, UINT message) override;
  // The height (twips) the caption needs when it wraps at the given width (twips).
  float WrappedHeight(float width);
  // The width (twips) the caption takes on one line.
  float TextWidth();
  // The pointer shown while the mouse is over the label.
  Pointer MousePointer();
  void SetMousePointer(Pointer pointer);
  // WM_SETCURSOR over the label: true when the label set its own pointer.
  bool ApplyPointer();

 protected:
  const char* WindowClass() const override { return "Static"; }
  void ResetKindState() override { pointer_ = def_.pointer; }
  Pointer pointer_ = Pointer::Default;
  DWORD WindowStyle() const override;
  void OnCommand(int code) override;

 private:
  // The caption's extent (pixels) in the label's font, as DrawText lays it out in
  // `widthPixels` with `format`.
  RECT MeasureCaption(int widthPixels, UINT format);
};

class TextBox : public Control {
 public:
  using Control::Control;
  std::string Text() { return Caption(); }
  void SetText(const std::string& text) { SetCaption(text); }
  std::string Caption() override;
  void SetCaption(const std::string& text) override;
  int MaxLength();
  void SetMaxLength(int n);
  void SelectAll();

 protected:
  const char* WindowClass() const override { return "Edit"; }
  DWORD WindowStyle() const override;
  DWORD WindowExStyle() const override { return WS_EX_CLIENTEDGE; }
  void AfterCreate() override;
  void ResetKindState() override;
  void OnCommand(int code) override;
  int maxLength_ = 0;
};

class CommandButton : public Control {
 public:
  using Control::Control;
  void PerformClick() { Raise(Click); }  // what a user's click does
  bool IsDefault() const { return (def_.style & kDefault) != 0; }
  bool IsCancel() const { return (def_.style & kCancel) != 0; }

 protected:
  const char* WindowClass() const override { return "Button"; }
  DWORD WindowStyle() const override;
  void OnCommand(int code) override;
};

// 0 clear, 1 ticked, 2 grey.
class CheckBox : public Control {
 public:
  using Control::Control;
  int Value();
  void SetValue(int v);  // raises Click when the value changes
  void UserClick();      // what a user's click does: ticks, or clears a ticked box

 protected:
  const char* WindowClass() const override { return "Button"; }
  DWORD WindowStyle() const override;
  void AfterCreate() override;
  void ResetKindState() override;
  void OnCommand(int code) override;
  int value_ = 0;
};

class OptionButton : public Control {
 public:
  using Control::Control;
  bool Value();
  // True clears the other option buttons of the same container and raises Click.
  void SetValue(bool v);
  void UserClick() { SetValue(true); }

 protected:
  const char* WindowClass() const override { return "Button"; }
  DWORD WindowStyle() const override;
  void AfterCreate() override;
  void ResetKindState() override;
  void OnCommand(int code) override;
  bool value_ = false;
};

class Frame : public Control {
 public:
  using Control::Control;
  bool IsContainer() const override { return true; }

 protected:
  const char* WindowClass() const override { return "Button"; }
  DWORD WindowStyle() const override { return BS_GROUPBOX | WS_CLIPSIBLINGS; }
};

// A picture box: a container that may show a picture.
class PictureBox : public Control {
 public:
  using Control::Control;
  bool IsContainer() const override { return true; }
  void SetPicture(int resourceId);
  void OnDrawItem(const DRAWITEMSTRUCT& item) override;

 protected:
  const char* WindowClass() const override { return "Static"; }
  DWORD WindowStyle() const override;
  void ResetKindState() override { picture_ = def_.picture; }
  void OnCommand(int code) override;
  int picture_ = 0;
};

class Image : public Control {
 public:
  using Control::Control;
  bool HasFont() const override { return false; }
  bool Stretch();
  void SetStretch(bool v);
  int Picture();
  void SetPicture(int resourceId);  // 0 = none
  void OnDrawItem(const DRAWITEMSTRUCT& item) override;

 protected:
  const char* WindowClass() const override { return "Static"; }
  DWORD WindowStyle() const override { return SS_OWNERDRAW | SS_NOTIFY; }
  void ResetKindState() override;
  void OnCommand(int code) override;
  bool stretch_ = false;
  int picture_ = 0;
};

// A line, drawn in a window that spans it. Its coordinates are X1, Y1, X2, Y2 in twips.
class Line : public Control {
 public:
  using Control::Control;
  bool HasFont() const override { return false; }
  float X1();
  float Y1();
  float X2();
  float Y2();
  void SetPoints(float x1, float y1, float x2, float y2);
  void OnDrawItem(const DRAWITEMSTRUCT& item) override;

 protected:
  const char* WindowClass() const override { return "Static"; }
  DWORD WindowStyle() const override { return SS_OWNERDRAW; }
  void ResetKindState() override;
  void SyncRect();
  float x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
};

class Timer : public Control {
 public:
  using Control::Control;
  bool HasWindow() const override { return false; }
  bool HasFont() const override { return false; }
  int Interval();
  void SetInterval(int ms);
  void SetEnabledTimer(bool on) { SetEnabled(on); }
  std::function<void()> Tick;  // the Timer event
  void Fire() { Raise(Tick); }
  void Arm();

 protected:
  const char* WindowClass() const override { return ""; }
  DWORD WindowStyle() const override { return 0; }
  void ResetKindState() override { interval_ = def_.max; }
  int interval_ = 0;
  friend class Form;
};

class VScrollBar : public Control {
 public:
  using Control::Control;
  bool HasFont() const override { return false; }
  int Value();
  void SetValue(int v);  // raises Change when the value changes
  int Min();
  int Max();
  void SetMin(int v);
  void SetMax(int v);
  int SmallChange() { Touch(); return small_; }
  int LargeChange() { Touch(); return large_; }
  void SetSmallChange(int v) { Touch(); small_ = v; }
  void SetLargeChange(int v) { Touch(); large_ = v; }
  std::function<void()> Scroll;
  void OnScroll(int code, int pos) override;

 protected:
  const char* WindowClass() const override { return "ScrollBar"; }
  DWORD WindowStyle() const override { return SBS_VERT; }
  void AfterCreate() override;
  void ResetKindState() override;
  void SyncRange();
  int value_ = 0, min_ = 0, max_ = 32767, small_ = 1, large_ = 1;
};

// Combo boxes and list boxes share their list.
class ListControl : public Control {
 public:
  using Control::Control;
  void AddItem(const std::string& item);
  void RemoveItem(int index);
  void Clear();
  int ListCount();
  std::string List(int index);
  int ListIndex();
  void SetListIndex(int index);  // raises Click
  int ItemData(int index);
  void SetItemData(int index, int data);

 protected:
  void AfterCreate() override;
  void ResetKindState() override;
  virtual UINT Msg(UINT lbMessage) const = 0;  // LB_* to the class's message
  std::vector<std::string> items_;
  std::vector<int> data_;
  int listIndex_ = -1;
};

class ComboBox : public ListControl {
 public:
  using ListControl::ListControl;
  std::string Caption() override;
  void SetCaption(const std::string& text) override;
  std::string Text() { return Caption(); }

 protected:
  const char* WindowClass() const override { return "ComboBox"; }
  DWORD WindowStyle() const override;
  int CreateHeightPx() const override;
  UINT Msg(UINT lbMessage) const override;
  void OnCommand(int code) override;
};

class ListBox : public ListControl {
 public:
  using ListControl::ListControl;
  std::string Text();

 protected:
  const char* WindowClass() const override { return "ListBox"; }
  DWORD WindowStyle() const override;
  DWORD WindowExStyle() const override { return WS_EX_CLIENTEDGE; }
  UINT Msg(UINT lbMessage) const override;
  void OnCommand(int code) override;
};

// A menu item (top-level menus are items whose parent is the form).
class Menu : public Control {
 public:
  using Control::Control;
  bool HasWindow() const override { return false; }
  bool HasFont() const override { return false; }
  bool Checked();
  void SetChecked(bool v);
  std::string Caption() override;
  void SetCaption(const std::string& text) override;
  void PerformClick() { Raise(Click); }

 protected:
  const char* WindowClass() const override { return ""; }
  DWORD WindowStyle() const override { return 0; }
  void ResetKindState() override { checked_ = (def_.style & kChecked) != 0; }
  bool checked_ = false;
  friend class Form;
};

// Control arrays are sparse: they hold only the indices the design has.
template <class T>
class ControlArray {
 public:
  ControlArray(Form* form, const char* name) : form_(form), name_(name) {}
  T& operator[](int index);
  T& operator()(int index) { return (*this)[index]; }
  bool Has(int index) const;
  std::vector<int> Indices() const;
  int Count() const { return static_cast<int>(Indices().size()); }
  int LBound() const;
  int UBound() const;
  // Binds a handler of every element: fn(element, index).
  void ForEach(const std::function<void(T&, int)>& fn);

 private:
  Form* form_;
  const char* name_;
};

// A named control of the design, resolved on first use.
template <class T>
class Ctl {
 public:
  Ctl(Form* form, const char* name) : form_(form), name_(name) {}
  T* operator->() { return &get(); }
  T& operator*() { return get(); }
  T& get();

 private:
  Form* form_;
  const char* name_;
  T* cached_ = nullptr;
};

// The Change handler of controls whose new text must be on screen at once, while the code
// that set it goes on without passing through the message loop: repaints the control now.
void RefreshOnChange(Control& control);

// Registers a window class of our own controls once, and returns its name.
const char* RegisterControlClass(const char* className, WNDPROC proc, LPCSTR cursor);

// Factories for controls of our own (Kind::Custom), by class name.
using CustomFactory = std::function<std::unique_ptr<Control>(Form*, const Def&)>;
void RegisterCustomControl(const std::string& className, CustomFactory factory);

}  // namespace ui
