#include "ui/form.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/system_facts.h"

namespace ui {

std::unique_ptr<Control> MakeControl(Form* form, const Def& def);

namespace {

constexpr char kFormClass[] = "QuenvorForm";

// Never destroyed: the forms (program-wide objects themselves) use them until the last one
// is destroyed at the program's end.
std::vector<Form*>& LoadedList() {
  static auto* forms = new std::vector<Form*>;
  return *forms;
}

std::vector<HWND>& PendingDestroy() {
  static auto* windows = new std::vector<HWND>;
  return *windows;
}

int g_depth = 0;
// Forms being destroyed as objects (the program's end): windows that go with theirs run no
// handlers.
int g_formsDestroyed = 0;

using DepthScope = WindowProcScope;

Form* FormOf(HWND hwnd) {
  return reinterpret_cast<Form*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK FormWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
  }
  Form* form = FormOf(hwnd);
  if (form && form->window() == hwnd) {
    DepthScope depth;
    bool handled = false;
    LRESULT r = AtWindowProcedure([&] { return form->HandleMessage(hwnd, message, wParam, lParam, &handled); }, 0);
    if (handled) return r;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Containers (frames, picture boxes) pass their children's notifications to the form. They
// are subclassed the classic way, with the hook kept here: a list view in a frame sends
// several notifications per added row, and a lookup that asks the window system for a
// window property at every message would cost more than the row itself.
struct ContainerHook {
  WNDPROC original;
  Form* form;
};

std::map<HWND, ContainerHook>& ContainerHooks() {
  static std::map<HWND, ContainerHook> hooks;
  return hooks;
}

LRESULT CALLBACK ContainerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto it = ContainerHooks().find(hwnd);
  if (it == ContainerHooks().end()) return DefWindowProcA(hwnd, message, wParam, lParam);
  const ContainerHook hook = it->second;
  switch (message) {
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(hwnd, &r);
      FillRect(reinterpret_cast<HDC>(wParam), &r, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_DRAWITEM:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
      DepthScope depth;
      bool handled = false;
      LRESULT r = AtWindowProcedure(
          [&] { return hook.form->HandleMessage(hwnd, message, wParam, lParam, &handled); }, 0);
      if (handled) return r;
      break;
    }
    case WM_NCDESTROY:
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook.original));
      ContainerHooks().erase(hwnd);
      break;
  }
  LRESULT r = CallWindowProcA(hook.original, hwnd, message, wParam, lParam);
  switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      // Children of a container are drawn on the face colour, as on the form.
      SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
  }
  return r;
}

void HookContainer(HWND hwnd, Form* form) {
  auto original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ContainerProc)));
  ContainerHooks()[hwnd] = {original, form};
}

void RegisterFormClass() {
  static bool done = false;
  if (done) return;
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = FormWndProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kFormClass;
  wc.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
  RegisterClassExA(&wc);
  done = true;
}

// Whether a control's notification tells of a user's act on it (a press, a choice, a double
// click, a menu item or Enter and Esc when there is no control) rather than of what the
// program itself did: a text box reports its text set by code and its focus moved, and a
// combo box its text set.
bool IsUsersCommand(const Control* control, int code) {
  if (!control) return true;
  if (control->kind() == Kind::TextBox) return false;
  if (control->kind() == Kind::ComboBox && code == CBN_EDITCHANGE) return false;
  return true;
}

struct FontKey {
  std::string name;
  int height;
  bool bold;
  auto operator<=>(const FontKey&) const = default;
};

}  // namespace

// ---------------------------------------------------------------- free functions

int LoadedFormCount() { return static_cast<int>(LoadedList().size()); }
std::vector<Form*> LoadedForms() { return LoadedList(); }
int DispatchDepth() { return g_depth; }
WindowProcScope::WindowProcScope() { ++g_depth; }
WindowProcScope::~WindowProcScope() { --g_depth; }

Form* ActiveForm() {
  HWND active = GetActiveWindow();
  for (Form* f : LoadedList())
    if (f->window() == active) return f;
  return nullptr;
}

void DestroyPendingWindows() {
  if (g_depth != 0) return;
  auto windows = std::move(PendingDestroy());
  PendingDestroy().clear();
  for (HWND hwnd : windows)
    if (IsWindow(hwnd)) DestroyWindow(hwnd);
}

void DispatchOne(MSG& msg) {
  HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  Form* form = root ? FormOf(root) : nullptr;
  bool ours = false;
  if (form) {
    for (Form* f : LoadedList()) ours = ours || (f == form && f->window() == root);
  }
  if (!(ours && IsDialogMessageA(root, &msg))) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  DestroyPendingWindows();
}

void DoEvents() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    DispatchOne(msg);
  }
  DestroyPendingWindows();
}

int RunMessageLoop() {
  MSG msg;
  while (LoadedFormCount() > 0) {
    BOOL r = GetMessageA(&msg, nullptr, 0, 0);
    if (r == 0 || r == -1) return r == 0 ? static_cast<int>(msg.wParam) : -1;
    DispatchOne(msg);
  }
  DestroyPendingWindows();
  return 0;
}

Control* FindControl(Form* form, const char* name, int index) { return form->Find(name, index); }

std::vector<int> ArrayIndices(Form* form, const char* name) {
  std::vector<int> out;
  for (int i = 0; i < form->ControlCount(); ++i) {
    Control& c = form->Controls(i);
    if (c.Index() >= 0 && c.Name() == name) out.push_back(c.Index());
  }
  std::sort(out.begin(), out.end());
  return out;
}

// ---------------------------------------------------------------- Form

Form::Form(const FormDef& def, std::span<const Def> design)
    : name_(def.name), def_(def), designRows_(design) {
  // A design error leaves the row out, or places the control on the form itself.
  for (const Def& row : designRows_) {
    if (Find(row.name, row.index)) {
      ProgrammingError(std::string("duplicate control ") + row.name + " in " + name_);
      continue;
    }
    if (auto control = MakeControl(this, row)) controls_.push_back(std::move(control));
  }
  for (auto& c : controls_) {
    if (*c->def_.parent) {
      c->container_ = Find(c->def_.parent, c->def_.parentIndex);
      if (!c->container_)
        ProgrammingError(std::string("unknown container ") + c->def_.parent + " in " + name_);
    }
  }
}

Form::~Form() {
  auto& loaded = LoadedList();
  loaded.erase(std::remove(loaded.begin(), loaded.end(), this), loaded.end());
  if (hwnd_ && IsWindow(hwnd_)) {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    ++g_formsDestroyed;
    DestroyWindow(hwnd_);
    --g_formsDestroyed;
  }
  if (menuBar_) DestroyMenu(menuBar_);
}

Control* Form::Find(const std::string& name, int index) const {
  for (const auto& c : controls_)
    if (c->Index() == index && c->Name() == name) return c.get();
  return nullptr;
}

HFONT Form::FontFor(float size, bool bold, const std::string& name) const {
  static std::map<FontKey, HFONT> cache;
  int dpi = platform::systemFacts().LogPixelsX();
  if (dpi <= 0) dpi = 96;
  FontKey key{name.empty() ? def_.fontName : name,
              -static_cast<int>(std::lround(size * dpi / 72.0)), bold};
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  HFONT font = CreateFontA(key.height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, key.name.c_str());
  cache[key] = font;
  return font;
}

void Form::Load() {
  if (loaded_) return;
  if (!built_) {
    built_ = true;
    BindEvents();
  }
  // The form counts as loaded before Form_Load runs, so that Form_Load may touch its
  // own controls.
  loaded_ = true;
  ++loadCount_;
  LoadedList().push_back(this);
  tpp_ = static_cast<float>(platform::TwipsPerPixel());
  caption_ = def_.caption;
  width_ = def_.width;
  height_ = def_.height;
  left_ = def_.left;
  top_ = def_.top;
  scaleMode_ = 1;
  visible_ = false;
  enabled_ = true;
  centred_ = false;
  modal_ = false;
  focusBeforeDeactivate_ = nullptr;
  closeHeld_ = false;
  for (auto& c : controls_) c->ResetToDesign();
  CreateFormWindow();
  Form_Load();
}

void Form::CreateFormWindow() {
  RegisterFormClass();
  DWORD style = WS_CLIPCHILDREN;
  DWORD ex = WS_EX_CONTROLPARENT;
  switch (def_.border) {
    case BorderStyle::None: style |= WS_POPUP; break;
    case BorderStyle::FixedSingle: style |= WS_OVERLAPPED | WS_CAPTION; break;
    case BorderStyle::Sizable: style |= WS_OVERLAPPEDWINDOW & ~(WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_SYSMENU); break;
    case BorderStyle::FixedDialog: style |= WS_POPUP | WS_CAPTION; ex |= WS_EX_DLGMODALFRAME; break;
    case BorderStyle::FixedToolWindow: style |= WS_POPUP | WS_CAPTION; ex |= WS_EX_TOOLWINDOW; break;
  }
  if (def_.controlBox && def_.border != BorderStyle::None) style |= WS_SYSMENU;
  if (def_.minButton && def_.border != BorderStyle::FixedDialog) style |= WS_MINIMIZEBOX;
  if (def_.maxButton && def_.border != BorderStyle::FixedDialog) style |= WS_MAXIMIZEBOX;
  if (def_.showInTaskbar) ex |= WS_EX_APPWINDOW;
  if (def_.clientWidth > 0 && def_.clientHeight > 0) {
    RECT r{0, 0, std::lround(def_.clientWidth / tpp_), std::lround(def_.clientHeight / tpp_)};
    AdjustWindowRectEx(&r, style, FALSE, ex);
    width_ = (r.right - r.left) * tpp_;
    height_ = (r.bottom - r.top) * tpp_;
  }
  creating_ = true;
  hwnd_ = CreateWindowExA(ex, kFormClass, caption_.c_str(), style, std::lround(left_ / tpp_),
                          std::lround(top_ / tpp_), std::lround(width_ / tpp_),
                          std::lround(height_ / tpp_), nullptr, nullptr,
                          GetModuleHandleA(nullptr), this);
  tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             0, 0, 0, 0, hwnd_, nullptr, GetModuleHandleA(nullptr), nullptr);
  for (auto& c : controls_) {
    c->CreateWindowNow();
    if (c->IsContainer() && c->window())
      HookContainer(c->window(), this);
  }
  RebuildMenu();
  for (auto& c : controls_)
    if (c->kind() == Kind::Timer) ArmTimer(static_cast<Timer&>(*c));
  creating_ = false;
}

void Form::ApplyOwner(Form* owner) {
  HWND ownerWnd = owner ? owner->hWnd() : nullptr;
  SetWindowLongPtrA(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(ownerWnd));
}

void Form::CenterOnScreen() {
  if (centred_) return;
  centred_ = true;
  RECT r{};
  GetWindowRect(hwnd_, &r);
  int w = r.right - r.left, h = r.bottom - r.top;
  int x = r.left, y = r.top;
  if (def_.startUp == StartUpPosition::CenterScreen || def_.startUp == StartUpPosition::CenterOwner) {
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    HWND owner = GetWindow(hwnd_, GW_OWNER);
    if (def_.startUp == StartUpPosition::CenterOwner && owner && IsWindowVisible(owner))
      GetWindowRect(owner, &area);
    x = area.left + (area.right - area.left - w) / 2;
    y = area.top + (area.bottom - area.top - h) / 2;
    if (x < 0) x = 0;
    if (y < 0) y = 0;
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    left_ = x * tpp_;
    top_ = y * tpp_;
  }
}

void Form::Show(ShowMode mode, Form* owner) {
  Load();
  if (!loaded_) return;  // Form_Load unloaded it
  ApplyOwner(owner);
  CenterOnScreen();
  visible_ = true;
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  if (mode == vbModal) RunModalLoop();
}

void Form::RunModalLoop() {
  modal_ = true;
  std::vector<HWND> disabled;
  for (Form* f : LoadedList()) {
    if (f != this && f->window() && IsWindowEnabled(f->window())) {
      EnableWindow(f->window(), FALSE);
      disabled.push_back(f->window());
    }
  }
  MSG msg;
  while (loaded_ && visible_) {
    BOOL r = GetMessageA(&msg, nullptr, 0, 0);
    if (r == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (r == -1) break;
    DispatchOne(msg);
  }
  modal_ = false;
  for (HWND w : disabled)
    if (IsWindow(w)) EnableWindow(w, TRUE);
}

void Form::Hide() {
  Load();
  if (!loaded_) return;
  visible_ = false;
  ShowWindow(hwnd_, SW_HIDE);
}

bool Form::Unload() { return UnloadBecause(kUnloadByCode); }

bool Form::UnloadBecause(int unloadMode) {
  // An Unload from inside Form_Unload (its own, or one it caused) leaves the unloading to
  // the one under way.
  if (!loaded_ || unloading_) return true;
  int cancel = 0;
  Form_QueryUnload(cancel, unloadMode);
  if (cancel) return false;
  if (!loaded_) return true;  // Form_QueryUnload unloaded it already
  const int load = loadCount_;
  unloading_ = true;
  Form_Unload(cancel);
  unloading_ = false;
  // Its window went meanwhile (the form is unloaded already), or it was loaded anew.
  if (!loaded_ || loadCount_ != load) return true;
  if (cancel) return false;
  loaded_ = false;
  visible_ = false;
  auto& loaded = LoadedList();
  loaded.erase(std::remove(loaded.begin(), loaded.end(), this), loaded.end());
  DestroyWindows();
  return true;
}

// The window is being destroyed by another path than Unload: with its owner's window, or
// by anyone's DestroyWindow. The form is unloaded as by Unload, its Form_Unload run once
// (unless Unload runs it already) while its controls still have their windows; Cancel
// cannot keep a window that goes.
void Form::WindowDestroyed() {
  if (!loaded_) return;
  if (!unloading_ && g_formsDestroyed == 0) {
    int cancel = 0;
    unloading_ = true;
    Form_Unload(cancel);
    unloading_ = false;
  }
  if (!loaded_ || !hwnd_) return;
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);  // no handler of this form sees the rest
  loaded_ = false;
  visible_ = false;
  auto& loaded = LoadedList();
  loaded.erase(std::remove(loaded.begin(), loaded.end(), this), loaded.end());
  ForgetWindows();
  menuBar_ = nullptr;  // destroyed with its window
}

void Form::ForgetWindows() {
  for (auto& c : controls_) c->DetachWindow();
  hwnd_ = nullptr;
  tooltip_ = nullptr;
}

void Form::DestroyWindows() {
  HWND hwnd = hwnd_;
  ForgetWindows();
  if (!hwnd) return;
  // Another window of ours may be the one a user event came from: it goes when no
  // window procedure of ours is on the stack any more.
  ShowWindow(hwnd, SW_HIDE);
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
  SetMenu(hwnd, nullptr);
  if (menuBar_) {
    DestroyMenu(menuBar_);
    menuBar_ = nullptr;
  }
  PendingDestroy().push_back(hwnd);
  DestroyPendingWindows();
}

void Form::Refresh() {
  Load();
  if (hwnd_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

std::string Form::Caption() { Load(); return caption_; }
void Form::SetCaption(const std::string& text) {
  Load();
  caption_ = text;
  if (hwnd_) SetWindowTextA(hwnd_, text.c_str());
}
bool Form::Visible() { Load(); return visible_; }
void Form::SetVisible(bool v) { v ? Show() : Hide(); }
bool Form::Enabled() { Load(); return enabled_; }
void Form::SetEnabled(bool v) {
  Load();
  enabled_ = v;
  if (hwnd_) EnableWindow(hwnd_, v);
}
float Form::Left() { Load(); return left_; }
float Form::Top() { Load(); return top_; }
float Form::Width() { Load(); return width_; }
float Form::Height() { Load(); return height_; }

void Form::Move(float left, float top, float width, float height) {
  Load();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (visible_) centred_ = true;  // a form placed before it shows is still centred
  if (hwnd_)
    SetWindowPos(hwnd_, nullptr, std::lround(left / tpp_), std::lround(top / tpp_),
                 std::lround(width / tpp_), std::lround(height / tpp_),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

float Form::ScaleWidth() {
  Load();
  RECT r{};
  GetClientRect(hwnd_, &r);
  return r.right * tpp_;
}
float Form::ScaleHeight() {
  Load();
  RECT r{};
  GetClientRect(hwnd_, &r);
  return r.bottom * tpp_;
}
int Form::ScaleMode() { Load(); return scaleMode_; }
void Form::SetScaleMode(int mode) { Load(); scaleMode_ = mode; }
float Form::FontSize() { Load(); return def_.fontSize; }
HWND Form::hWnd() { Load(); return hwnd_; }

void Form::ArmTimer(Timer& timer) {
  if (!hwnd_) return;
  UINT_PTR id = static_cast<UINT_PTR>(timer.id() ? timer.id() : 0);
  if (!id) {
    timer.id_ = NextControlId();
    id = timer.id_;
  }
  KillTimer(hwnd_, id);
  if (timer.enabled_ && timer.interval_ > 0) SetTimer(hwnd_, id, timer.interval_, nullptr);
}

void Form::UpdateToolTip(Control& control) {
  if (!tooltip_ || !control.window()) return;
  TTTOOLINFOA ti{};
  ti.cbSize = sizeof(ti);
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = hwnd_;
  ti.uId = reinterpret_cast<UINT_PTR>(control.window());
  SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  if (control.tip_.empty()) return;
  ti.lpszText = const_cast<char*>(control.tip_.c_str());
  SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void Form::AddMenuItems(HMENU menu, Control* parent) {
  for (auto& c : controls_) {
    if (c->kind() != Kind::Menu || c->Container() != parent || !c->visible_) continue;
    auto& m = static_cast<Menu&>(*c);
    if (!m.id_) m.id_ = nextMenuId_++;
    bool hasChildren = false;
    for (auto& d : controls_) hasChildren = hasChildren || (d->kind() == Kind::Menu && d->Container() == &m);
    UINT flags = MF_STRING | (m.enabled_ ? MF_ENABLED : MF_GRAYED) | (m.checked_ ? MF_CHECKED : 0);
    if (m.caption_ == "-" || (m.def_.style & kSeparator)) {
      AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    } else if (hasChildren) {
      HMENU sub = CreatePopupMenu();
      AddMenuItems(sub, &m);
      AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), m.caption_.c_str());
    } else {
      AppendMenuA(menu, flags, m.id_, m.caption_.c_str());
    }
  }
}

void Form::RebuildMenu() {
  if (!hwnd_) return;
  bool any = false;
  for (auto& c : controls_) any = any || c->kind() == Kind::Menu;
  if (!any) return;
  HMENU bar = CreateMenu();
  AddMenuItems(bar, nullptr);
  SetMenu(hwnd_, bar);
  if (menuBar_) DestroyMenu(menuBar_);
  menuBar_ = bar;
  DrawMenuBar(hwnd_);
}

Control* Form::ByWindow(HWND hwnd) const {
  if (!hwnd) return nullptr;
  for (const auto& c : controls_)
    if (c->window() == hwnd) return c.get();
  return nullptr;
}

Menu* Form::MenuById(int id) const {
  for (const auto& c : controls_)
    if (c->kind() == Kind::Menu && c->id() == id) return static_cast<Menu*>(c.get());
  return nullptr;
}

void Form::OnDefaultOrCancel(bool isDefault) {
  for (auto& c : controls_) {
    if (c->kind() != Kind::CommandButton) continue;
    auto& b = static_cast<CommandButton&>(*c);
    if ((isDefault ? b.IsDefault() : b.IsCancel()) && b.visible_ && b.enabled_) {
      b.PerformClick();
      return;
    }
  }
}

LRESULT Form::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                            bool* handled) {
  *handled = true;
  LRESULT custom = 0;
  if (hwnd == hwnd_ && OnMessage(message, wParam, lParam, &custom)) return custom;
  switch (message) {
    case WM_COMMAND: {
      HWND from = reinterpret_cast<HWND>(lParam);
      int code = HIWORD(wParam), id = LOWORD(wParam);
      // While the program holds the form disabled (a question of ours or of the shell is up,
      // a run is in progress), nobody can press its controls; a press that comes all the same
      // (a button's BM_CLICK or a command posted by another program) runs nothing.
      if (hwnd_ && !IsWindowEnabled(hwnd_) && IsUsersCommand(ByWindow(from), code)) return 0;
      if (!from && code == 0) {
        if (Menu* m = MenuById(id)) {
          m->PerformClick();
          return 0;
        }
      }
      if (Control* c = ByWindow(from)) {
        c->OnCommand(code);
        return 0;
      }
      if (!from && (id == IDOK || id == IDCANCEL)) {  // Enter and Esc
        OnDefaultOrCancel(id == IDOK);
        return 0;
      }
      break;
    }
    case DM_GETDEFID:
      for (auto& c : controls_)
        if (c->kind() == Kind::CommandButton && static_cast<CommandButton&>(*c).IsDefault() && c->window())
          return MAKELRESULT(c->id(), DC_HASDEFID);
      break;
    case WM_VSCROLL:
    case WM_HSCROLL:
      if (Control* c = ByWindow(reinterpret_cast<HWND>(lParam))) {
        c->OnScroll(LOWORD(wParam), HIWORD(wParam));
        return 0;
      }
      break;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      LRESULT result = 0;
      if (Control* c = ByWindow(header->hwndFrom)) {
        if (c->OnNotify(*header, &result)) return result;
      }
      break;
    }
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (Control* c = ByWindow(item->hwndItem)) {
        c->OnDrawItem(*item);
        return TRUE;
      }
      break;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      if (Control* c = ByWindow(reinterpret_cast<HWND>(lParam))) {
        if (LRESULT brush = c->OnCtlColor(reinterpret_cast<HDC>(wParam), message)) return brush;
      }
      break;
    case WM_SETCURSOR:
      // A child passes the question up to its parents first (through its containers).
      if (auto* label = dynamic_cast<Label*>(ByWindow(reinterpret_cast<HWND>(wParam)))) {
        if (label->ApplyPointer()) return TRUE;
      }
      break;
    case WM_TIMER:
      for (auto& c : controls_) {
        if (c->kind() == Kind::Timer && c->id() == static_cast<int>(wParam)) {
          static_cast<Timer&>(*c).Fire();
          return 0;
        }
      }
      break;
    case WM_CLOSE:
      // A form the program holds disabled (a run in progress, a question of ours or of the
      // shell up) is closed by no one meanwhile: End Task sends the close all the same. It
      // waits, and comes again once the form is enabled.
      if (!IsWindowEnabled(hwnd_)) {
        closeHeld_ = true;
        return 0;
      }
      UnloadBecause(kUnloadByCloseBox);  // the close box unloads like a close button
      return 0;
    case WM_ENABLE:
      // A form the program disabled stays so until the program enables it: a message box
      // that it owned enables it as it goes (Wine does, also where the box found it
      // disabled).
      if (wParam && !enabled_) {
        EnableWindow(hwnd_, FALSE);
        break;
      }
      // Posted, so that the handler that held the form ends before the close is carried out;
      // should the form be held again by then, the close waits again.
      if (wParam && std::exchange(closeHeld_, false)) PostMessageA(hwnd_, WM_CLOSE, 0, 0);
      break;
    case WM_DESTROY:
      WindowDestroyed();
      break;
    case WM_ACTIVATE: {
      // The default handling gives the focus to the form; a form that is activated again
      // gives it back to the control that had it, then its Form_Activate runs.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        focusBeforeDeactivate_ = focus && IsChild(hwnd_, focus) ? focus : nullptr;
      }
      LRESULT r = DefWindowProcA(hwnd, message, wParam, lParam);
      if (LOWORD(wParam) != WA_INACTIVE) {
        if (focusBeforeDeactivate_ && IsWindow(focusBeforeDeactivate_) && IsChild(hwnd_, focusBeforeDeactivate_))
          SetFocus(focusBeforeDeactivate_);
        Form_Activate();
      } else {
        Form_Deactivate();
      }
      return r;
    }
    case WM_SIZE:
      if (!creating_ && loaded_) Form_Resize();
      break;
    case WM_EXITSIZEMOVE: {  // the user moved or sized the window
      RECT r{};
      GetWindowRect(hwnd_, &r);
      left_ = r.left * tpp_;
      top_ = r.top * tpp_;
      width_ = (r.right - r.left) * tpp_;
      height_ = (r.bottom - r.top) * tpp_;
      break;
    }
    default:
      break;
  }
  *handled = false;
  return 0;
}

}  // namespace ui
