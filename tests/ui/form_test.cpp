#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "support/programming_errors.h"
#include "support/real_input.h"
#include "ui/form.h"

namespace {

using ui::Def;
using ui::Kind;

constexpr Def kDesign[] = {
    {.kind = Kind::Frame, .name = "Frame1", .rect = {120, 120, 4000, 2400}, .caption = "Group"},
    {.kind = Kind::OptionButton, .name = "Option1", .index = 0, .parent = "Frame1",
     .rect = {240, 360, 1500, 255}, .caption = "A", .value = 1},
    {.kind = Kind::OptionButton, .name = "Option1", .index = 1, .parent = "Frame1",
     .rect = {240, 720, 1500, 255}, .caption = "B"},
    {.kind = Kind::Label, .name = "Label2", .parent = "Frame1", .rect = {240, 1200, 2000, 255},
     .caption = "More Info...", .foreColor = RGB(0, 0, 255), .pointer = ui::Pointer::Hand},
    {.kind = Kind::OptionButton, .name = "Option2", .rect = {4300, 360, 1500, 255}, .caption = "Outside",
     .value = 1},
    {.kind = Kind::CheckBox, .name = "Check1", .index = 0, .rect = {1500, 3000, 1500, 255}, .caption = "zero"},
    {.kind = Kind::CheckBox, .name = "Check1", .index = 3, .rect = {1500, 3300, 1500, 255}, .caption = "three",
     .value = 1},
    {.kind = Kind::CheckBox, .name = "Check1", .index = 7, .rect = {1500, 3600, 1500, 255}, .caption = "seven",
     .value = 2},
    {.kind = Kind::TextBox, .name = "Text1", .rect = {1500, 4000, 3000, 300}, .caption = "design text"},
    {.kind = Kind::CommandButton, .name = "Command1", .rect = {1500, 4500, 1200, 375}, .caption = "OK",
     .style = ui::kDefault},
    {.kind = Kind::CommandButton, .name = "Command2", .rect = {3000, 4500, 1200, 375}, .caption = "Cancel",
     .style = ui::kCancel},
    {.kind = Kind::VScrollBar, .name = "VScroll1", .rect = {6000, 120, 255, 3000}, .max = 100,
     .smallChange = 10, .largeChange = 20},
    {.kind = Kind::Label, .name = "Label1", .rect = {1500, 1500, 3000, 255}, .caption = "Design && caption"},
    {.kind = Kind::Timer, .name = "Timer1", .style = ui::kDisabled, .max = 10},
    {.kind = Kind::Menu, .name = "mnuFile", .caption = "&File"},
    {.kind = Kind::Menu, .name = "mnuExit", .parent = "mnuFile", .caption = "E&xit"},
};

constexpr ui::FormDef kForm{.name = "frmSample", .caption = "Sample", .width = 7200, .height = 6000};

class FrmSample : public ui::Form {
 public:
  FrmSample() : Form(kForm, kDesign) {}

  ui::Ctl<ui::TextBox> Text1{this, "Text1"};
  ui::Ctl<ui::CommandButton> Command1{this, "Command1"};
  ui::Ctl<ui::CommandButton> Command2{this, "Command2"};
  ui::Ctl<ui::VScrollBar> VScroll1{this, "VScroll1"};
  ui::Ctl<ui::Label> Label1{this, "Label1"};
  ui::Ctl<ui::Label> Label2{this, "Label2"};
  ui::Ctl<ui::Timer> Timer1{this, "Timer1"};
  ui::Ctl<ui::OptionButton> Option2{this, "Option2"};
  ui::Ctl<ui::Menu> mnuExit{this, "mnuExit"};
  ui::ControlArray<ui::CheckBox> Check1{this, "Check1"};
  ui::ControlArray<ui::OptionButton> Option1{this, "Option1"};

  // The form's own variables survive Unload.
  int loads = 0;
  int unloads = 0;
  int timerTicks = 0;
  bool cancelUnload = false;
  bool unloadOnClick = false;
  std::vector<std::string> events;

  // A public procedure that touches no control leaves the form unloaded.
  int Twice(int x) { return 2 * x; }

 protected:
  void BindEvents() override {
    Check1.ForEach([this](ui::CheckBox& c, int i) {
      c.Click = [this, i] { events.push_back("Check1_Click(" + std::to_string(i) + ")"); };
    });
    Option1.ForEach([this](ui::OptionButton& o, int i) {
      o.Click = [this, i] { events.push_back("Option1_Click(" + std::to_string(i) + ")"); };
    });
    Text1->Change = [this] { events.push_back("Text1_Change"); };
    VScroll1->Change = [this] { events.push_back("VScroll1_Change"); };
    Label1->Change = [this] {
      events.push_back("Label1_Change");
      ui::RefreshOnChange(*Label1);
    };
    Command1->Click = [this] {
      events.push_back("Command1_Click");
      if (unloadOnClick) Unload();
    };
    Command2->Click = [this] { events.push_back("Command2_Click"); };
    Label2->Click = [this] { events.push_back("Label2_Click"); };
    mnuExit->Click = [this] { events.push_back("mnuExit_Click"); };
    Timer1->Tick = [this] {
      ++timerTicks;
      Timer1->SetEnabled(false);
      if (IsModal()) Hide();
    };
  }

  void Form_Load() override {
    ++loads;
    // Touching its own controls during Form_Load must not load the form again.
    Label1->SetToolTipText("tip");
    events.push_back("Form_Load");
  }

  void Form_Unload(int& cancel) override {
    ++unloads;
    if (cancelUnload) cancel = 1;
  }
};

class FormTest : public testing::Test {
 protected:
  void TearDown() override {
    form.cancelUnload = false;
    form.Unload();
    ui::DoEvents();
  }
  FrmSample form;
};

RECT ChildRect(HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

TEST_F(FormTest, LoadsOnFirstTouchOnlyAndCountsAsLoadedDuringFormLoad) {
  EXPECT_EQ(form.Twice(4), 8);
  EXPECT_FALSE(form.Loaded());
  EXPECT_EQ(form.Check1[3].Value(), 1);  // the first touch loads
  EXPECT_TRUE(form.Loaded());
  EXPECT_EQ(form.loads, 1);
  EXPECT_EQ(form.Label1->ToolTipText(), "tip");
  EXPECT_FALSE(IsWindowVisible(form.hWnd()));  // loaded hidden
  EXPECT_EQ(form.loads, 1);
}

TEST_F(FormTest, UnloadKeepsVariablesAndReloadStartsFromTheDesign) {
  form.Text1->SetText("typed");
  form.Check1[0].SetValue(1);
  HWND first = form.hWnd();
  ASSERT_TRUE(form.Unload());
  EXPECT_FALSE(form.Loaded());
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(form.unloads, 1);
  EXPECT_EQ(form.loads, 1);  // variables live on
  EXPECT_EQ(form.Text1->Text(), "design text");  // touching loads again, from the design
  EXPECT_EQ(form.Check1[0].Value(), 0);
  EXPECT_EQ(form.loads, 2);
  EXPECT_FALSE(form.Unload() && false);
}

TEST_F(FormTest, CancelledUnloadKeepsTheFormLoaded) {
  form.Show();
  form.cancelUnload = true;
  SendMessageA(form.hWnd(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(form.Loaded());
  EXPECT_TRUE(IsWindowVisible(form.hWnd()));
}

TEST_F(FormTest, CloseBoxUnloadsLikeACloseButton) {
  form.Show();
  HWND hwnd = form.hWnd();
  EXPECT_TRUE(IsWindowVisible(hwnd));
  SendMessageA(hwnd, WM_CLOSE, 0, 0);
  ui::DoEvents();
  EXPECT_FALSE(form.Loaded());
  EXPECT_EQ(form.unloads, 1);
  EXPECT_FALSE(IsWindow(hwnd));
}

// End Task sends WM_CLOSE to a form whatever holds it disabled. The close waits for the
// hold to end and is carried out then, by the message loop once the holder has returned.
struct HoldCase {
  const char* name;
  // Holds the form disabled, runs `whileHeld`, and lets it go.
  void (*hold)(FrmSample& form, const std::function<void()>& whileHeld);
};

class HeldClose : public FormTest, public testing::WithParamInterface<HoldCase> {};

TEST_P(HeldClose, AClosePostedToAHeldFormIsCarriedOutWhenTheHoldEnds) {
  form.Show();
  const HWND window = form.hWnd();
  bool shownWhileHeld = false;
  GetParam().hold(form, [&] {
    PostMessageA(window, WM_CLOSE, 0, 0);
    ui::DoEvents();
    shownWhileHeld = form.Loaded() && IsWindowVisible(window);
  });
  EXPECT_TRUE(shownWhileHeld);
  EXPECT_TRUE(form.Loaded()) << "closed before its holder returned";
  EXPECT_EQ(form.unloads, 0);

  ui::DoEvents();
  EXPECT_FALSE(form.Loaded());
  EXPECT_EQ(form.unloads, 1);
  EXPECT_FALSE(IsWindow(window));
}

INSTANTIATE_TEST_SUITE_P(
    Holds, HeldClose,
    testing::Values(
        HoldCase{"DisabledByTheProgram",
                 [](FrmSample& form, const std::function<void()>& whileHeld) {
                   form.SetEnabled(false);
                   whileHeld();
                   form.SetEnabled(true);
                 }},
        // The box disables its owner and enables it again before it goes.
        HoldCase{"AMessageBoxOfOursIsUp",
                 [](FrmSample& form, const std::function<void()>& whileHeld) {
                   RealMessageBoxes boxes;
                   boxes.Answer(IDOK, [&](HWND) { whileHeld(); });
                   platform::dialogs().MessageBox(form.hWnd(), "held", "Sample", MB_OK);
                 }},
        // Held twice over: disabled by the program while a box is up; only the outer hold's
        // end lets the close through.
        HoldCase{"ABoxComesAndGoesDuringTheHold",
                 [](FrmSample& form, const std::function<void()>& whileHeld) {
                   form.SetEnabled(false);
                   whileHeld();
                   {
                     RealMessageBoxes boxes;
                     boxes.Answer(IDOK);
                     platform::dialogs().MessageBox(form.hWnd(), "held", "Sample", MB_OK);
                   }
                   ui::DoEvents();
                   EXPECT_TRUE(form.Loaded());
                   EXPECT_FALSE(IsWindowEnabled(form.hWnd())) << "the box ended the program's hold";
                   form.SetEnabled(true);
                 }}),
    [](const auto& info) { return std::string(info.param.name); });

// A close held for a form that was unloaded and loaded anew meanwhile is not the new one's.
TEST_F(FormTest, AHeldCloseGoesWithTheLoadItWasAskedOf) {
  form.Show();
  form.SetEnabled(false);
  PostMessageA(form.hWnd(), WM_CLOSE, 0, 0);
  ui::DoEvents();
  ASSERT_TRUE(form.Unload());
  form.Show();
  form.SetEnabled(false);
  form.SetEnabled(true);
  ui::DoEvents();
  EXPECT_TRUE(form.Loaded());
  EXPECT_EQ(form.unloads, 1);
}

TEST_F(FormTest, ShowingALoadedHiddenFormDoesNotLoadAgain) {
  form.Hide();  // Hide on an unloaded form loads it hidden
  EXPECT_TRUE(form.Loaded());
  form.Check1[0].SetValue(1);
  form.Show();
  EXPECT_EQ(form.loads, 1);
  EXPECT_EQ(form.Check1[0].Value(), 1);
  EXPECT_TRUE(IsWindowVisible(form.hWnd()));
}

TEST_F(FormTest, ValuesSetFromCodeRaiseTheUsersEvents) {
  form.Load();
  form.events.clear();
  form.Check1[7].SetValue(0);
  form.Check1[7].SetValue(0);  // no change, no event
  form.Option1[1].SetValue(true);
  form.Text1->SetText("new");
  form.VScroll1->SetValue(30);
  EXPECT_EQ(form.events, (std::vector<std::string>{"Check1_Click(7)", "Option1_Click(1)",
                                                   "Text1_Change", "VScroll1_Change"}));
  // Option buttons are exclusive within their container only.
  EXPECT_FALSE(form.Option1[0].Value());
  EXPECT_TRUE(form.Option2->Value());
  EXPECT_EQ(SendMessageA(form.Option1[0].hWnd(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageA(form.Check1[7].hWnd(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(FormTest, UserClicksOnRealWindowsRaiseEvents) {
  form.Show();
  form.events.clear();
  SendMessageA(form.Check1[0].hWnd(), BM_CLICK, 0, 0);  // inside a frame? no: on the form
  SendMessageA(form.Option1[1].hWnd(), BM_CLICK, 0, 0);  // inside the frame
  SendMessageA(form.Check1[7].hWnd(), BM_CLICK, 0, 0);   // grey becomes ticked
  SendMessageA(form.VScroll1->hWnd(), WM_NULL, 0, 0);
  SendMessageA(form.hWnd(), WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(form.VScroll1->hWnd()));
  SendMessageA(form.hWnd(), WM_COMMAND, form.mnuExit->id(), 0);
  EXPECT_EQ(form.events, (std::vector<std::string>{"Check1_Click(0)", "Option1_Click(1)",
                                                   "Check1_Click(7)", "VScroll1_Change",
                                                   "mnuExit_Click"}));
  EXPECT_EQ(form.Check1[0].Value(), 1);
  EXPECT_EQ(form.Check1[7].Value(), 1);
  EXPECT_EQ(form.VScroll1->Value(), 10);
}

TEST_F(FormTest, ADisabledFormRunsNoCommandOfItsControls) {
  form.Show();
  // Held as the owner of a message box or of the shell's question is held.
  EnableWindow(form.hWnd(), FALSE);
  form.events.clear();
  // Presses posted as another program may post them: a button, a check box, an option
  // button in a frame, a label, a menu item, and Enter.
  const HWND label = form.Label2->hWnd();
  PostMessageA(form.Command1->hWnd(), BM_CLICK, 0, 0);
  PostMessageA(form.Check1[0].hWnd(), BM_CLICK, 0, 0);
  PostMessageA(form.Option1[1].hWnd(), BM_CLICK, 0, 0);
  PostMessageA(form.hWnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(label), STN_CLICKED), reinterpret_cast<LPARAM>(label));
  PostMessageA(form.hWnd(), WM_COMMAND, form.mnuExit->id(), 0);
  PostMessageA(form.hWnd(), WM_COMMAND, IDOK, 0);
  ui::DoEvents();
  EXPECT_EQ(form.events, std::vector<std::string>{});
  EXPECT_EQ(form.Check1[0].Value(), 0);
  EXPECT_TRUE(form.Option1[0].Value());

  // What the program's own code does meanwhile raises its events as always.
  form.Text1->SetText("set by code");
  form.Check1[3].SetValue(0);
  form.Command2->PerformClick();
  EXPECT_EQ(form.events, (std::vector<std::string>{"Text1_Change", "Check1_Click(3)", "Command2_Click"}));

  // Enabled again, the same press runs.
  EnableWindow(form.hWnd(), TRUE);
  form.events.clear();
  PostMessageA(form.Command1->hWnd(), BM_CLICK, 0, 0);
  ui::DoEvents();
  EXPECT_EQ(form.events, std::vector<std::string>{"Command1_Click"});
}

TEST_F(FormTest, EnterAndEscPressTheDefaultAndCancelButtons) {
  form.Show();
  form.events.clear();
  SetFocus(form.Text1->hWnd());
  for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
    MSG msg{};
    msg.hwnd = form.Text1->hWnd();
    msg.message = WM_KEYDOWN;
    msg.wParam = key;
    ui::DispatchOne(msg);
  }
  EXPECT_EQ(form.events, (std::vector<std::string>{"Command1_Click", "Command2_Click"}));
}

TEST_F(FormTest, AFormMayUnloadItselfInsideItsOwnClickHandler) {
  form.Show();
  form.unloadOnClick = true;
  HWND hwnd = form.hWnd();
  SendMessageA(form.Command1->hWnd(), BM_CLICK, 0, 0);
  EXPECT_FALSE(form.Loaded());
  ui::DoEvents();
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(ui::LoadedFormCount(), 0);
}

TEST_F(FormTest, SparseControlArrays) {
  EXPECT_EQ(form.Check1.Indices(), (std::vector<int>{0, 3, 7}));
  EXPECT_EQ(form.Check1.Count(), 3);
  EXPECT_EQ(form.Check1.UBound(), 7);
  EXPECT_FALSE(form.Check1.Has(1));
  EXPECT_FALSE(form.Loaded());  // looking at the array does not load
}

TEST_F(FormTest, AControlTheDesignLacksIsReportedAndStandsInWithoutAWindow) {
  ExpectedProgrammingErrors expected;
  ui::CheckBox& missing = form.Check1[1];
  ui::TextBox& none = form.Get<ui::TextBox>("Text9");
  ui::TextBox& otherKind = form.Get<ui::TextBox>("Command1");
  EXPECT_EQ(expected.Seen(), (std::vector<std::string>{"no control Check1(1) in frmSample",
                                                       "no control Text9 in frmSample",
                                                       "control Command1 is of another kind in frmSample"}));
  // Touching a stand-in loads the form, as any control does; what it is told goes nowhere.
  missing.SetValue(1);
  none.SetText("typed");
  EXPECT_EQ(otherKind.Text(), "typed") << "one stand-in per kind";
  EXPECT_EQ(none.hWnd(), nullptr);
  EXPECT_EQ(form.ControlCount(), static_cast<int>(std::size(kDesign)));
  EXPECT_EQ(form.Text1->Text(), "design text");
  EXPECT_EQ(form.events, (std::vector<std::string>{"Form_Load"}));
}

TEST_F(FormTest, AnExceptionOutOfAHandlerGoesNoFurtherThanTheWindowProcedure) {
  form.Show();
  form.events.clear();
  form.Command2->Click = [] { throw std::runtime_error("boom"); };
  ExpectedProgrammingErrors expected;
  SendMessageA(form.Command2->hWnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(expected.Seen(), std::vector<std::string>{"exception out of a message handler: boom"});
  SendMessageA(form.Command1->hWnd(), BM_CLICK, 0, 0);  // the form works on
  EXPECT_EQ(form.events, std::vector<std::string>{"Command1_Click"});
}

// A design that names a control twice, an unknown container and an unknown class.
constexpr Def kFaultyDesign[] = {
    {.kind = Kind::Label, .name = "Label1", .rect = {120, 120, 2000, 255}, .caption = "first"},
    {.kind = Kind::Label, .name = "Label1", .rect = {120, 480, 2000, 255}, .caption = "second"},
    {.kind = Kind::CheckBox, .name = "Check1", .parent = "Frame9", .rect = {120, 840, 2000, 255}},
    {.kind = Kind::Custom, .name = "Odd1", .rect = {120, 1200, 2000, 255}, .customClass = "NoSuchClass"},
};
constexpr ui::FormDef kFaultyForm{.name = "frmFaulty", .caption = "Faulty"};

TEST(FormDesign, ErrorsAreReportedAndTheFormLoadsWithoutThem) {
  ExpectedProgrammingErrors expected;
  ui::Form faulty(kFaultyForm, kFaultyDesign);
  EXPECT_EQ(expected.Seen(), (std::vector<std::string>{"duplicate control Label1 in frmFaulty",
                                                       "unknown control class NoSuchClass of Odd1",
                                                       "unknown container Frame9 in frmFaulty"}));
  faulty.Load();
  EXPECT_EQ(faulty.ControlCount(), 2);
  EXPECT_EQ(faulty.Get<ui::Label>("Label1").Caption(), "first");
  EXPECT_EQ(GetParent(faulty.Get<ui::CheckBox>("Check1").hWnd()), faulty.hWnd()) << "placed on the form";
  faulty.Unload();
  ui::DoEvents();
}

TEST_F(FormTest, TwipsBecomePixelsAtTheScreenDpi) {
  form.Load();
  RECT r = ChildRect(form.Text1->hWnd());
  EXPECT_EQ(r.left, 100);   // 1500 twips at 15 twips a pixel
  EXPECT_EQ(r.top, 267);    // 4000 / 15 = 266.7
  EXPECT_EQ(r.right - r.left, 200);
  form.Text1->Move(150, 300, 1500.5f, 300);
  EXPECT_FLOAT_EQ(form.Text1->Width(), 1500.5f);  // the model keeps exact twips
  r = ChildRect(form.Text1->hWnd());
  EXPECT_EQ(r.left, 10);
  // A control inside a frame is placed relative to the frame.
  r = ChildRect(form.Option1[0].hWnd());
  EXPECT_EQ(GetParent(form.Option1[0].hWnd()), FindWindowExA(form.hWnd(), nullptr, "Button", "Group"));
  EXPECT_EQ(r.left, 16);
}

TEST_F(FormTest, ModalShowRunsANestedLoopUntilTheFormHides) {
  form.Load();
  form.Timer1->SetInterval(10);
  form.Timer1->SetEnabled(true);
  form.Show(ui::vbModal);  // the timer hides the form from inside the loop
  EXPECT_EQ(form.timerTicks, 1);
  EXPECT_FALSE(form.IsModal());
  EXPECT_TRUE(form.Loaded());
}

TEST_F(FormTest, TheMessageLoopEndsWhenNoFormIsLoaded) {
  form.Show();
  PostMessageA(form.hWnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(ui::RunMessageLoop(), 0);
  EXPECT_EQ(ui::LoadedFormCount(), 0);
}

TEST_F(FormTest, LabelsAreStaticWindowsWhoseTextReadsBack) {
  form.Load();
  char text[64]{};
  GetWindowTextA(form.Label1->hWnd(), text, sizeof text);
  EXPECT_STREQ(text, "Design && caption");
  char cls[32]{};
  GetClassNameA(form.Label1->hWnd(), cls, sizeof cls);
  EXPECT_STREQ(cls, "Static");
}

// WM_PAINT messages that reach a window while the counter lives.
struct PaintCount {
  explicit PaintCount(HWND hwnd) : hwnd(hwnd) { SetWindowSubclass(hwnd, Proc, 1, reinterpret_cast<DWORD_PTR>(this)); }
  ~PaintCount() { RemoveWindowSubclass(hwnd, Proc, 1); }
  static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) {
    if (m == WM_PAINT) ++reinterpret_cast<PaintCount*>(self)->paints;
    return DefSubclassProc(w, m, wp, lp);
  }
  HWND hwnd;
  int paints = 0;
};

TEST_F(FormTest, ALabelThatRefreshesOnChangeShowsItsNewTextAtOnce) {
  form.Show();
  ui::DoEvents();
  form.events.clear();
  PaintCount count(form.Label1->hWnd());
  form.Label1->SetCaption("Saving Performance Settings");
  // Painted without a pass through the message loop.
  EXPECT_EQ(count.paints, 1);
  form.Label1->SetCaption("Saving Performance Settings");  // no change, no event
  EXPECT_EQ(form.events, std::vector<std::string>{"Label1_Change"});
  char text[64]{};
  GetWindowTextA(form.Label1->hWnd(), text, sizeof text);
  EXPECT_STREQ(text, "Saving Performance Settings");
}

// The pointer a window shows when the mouse moves over it, as the system asks for it.
HCURSOR PointerOver(HWND window) {
  SetCursor(nullptr);
  SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  return GetCursor();
}

TEST_F(FormTest, ALabelShowsItsOwnMousePointerAlsoInsideAFrame) {
  form.Show();
  const HCURSOR hand = LoadCursor(nullptr, IDC_HAND), arrow = LoadCursor(nullptr, IDC_ARROW);
  EXPECT_EQ(form.Label2->MousePointer(), ui::Pointer::Hand);
  EXPECT_EQ(PointerOver(form.Label2->hWnd()), hand);
  EXPECT_EQ(PointerOver(form.Label1->hWnd()), arrow);

  form.Label1->SetMousePointer(ui::Pointer::Hand);
  form.Label2->SetMousePointer(ui::Pointer::Default);
  EXPECT_EQ(PointerOver(form.Label1->hWnd()), hand);
  EXPECT_EQ(PointerOver(form.Label2->hWnd()), arrow);

  form.Unload();  // the next load starts from the design again
  EXPECT_EQ(form.Label1->MousePointer(), ui::Pointer::Default);
  EXPECT_EQ(form.Label2->MousePointer(), ui::Pointer::Hand);
}

// A user's click on a form behind another one activates it and reaches the control under
// the pointer in the same click: the form gives the focus back to the control that had it
// (a text box) while it becomes active, before the press, so the pressed button keeps the
// mouse. Two forms side by side, clicked in turn: every click activates one, and the
// pointer jumps from one form to the other.
struct InactiveClickCase {
  const char* name;
  const char* control;
  int index;
  const char* event;
  bool textHadFocus;  // the form lost the activation with the focus in its text box
};

class InactiveFormClick : public testing::TestWithParam<InactiveClickCase> {
 protected:
  void TearDown() override {
    for (FrmSample* f : forms) f->Unload();
    ui::DoEvents();
  }
  FrmSample left, right;
  FrmSample* forms[2] = {&left, &right};
};

TEST_P(InactiveFormClick, OneClickActivatesTheFormAndReachesTheControl) {
  const InactiveClickCase& c = GetParam();
  for (int i = 0; i < 2; ++i) {
    forms[i]->Show();
    forms[i]->Move(600 + i * 9000, 600, 7200, 6000);
  }
  ui::DoEvents();
  for (int round = 0; round < 6; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    FrmSample& target = *forms[round % 2];
    FrmSample& other = *forms[1 - round % 2];
    if (c.textHadFocus) {
      ASSERT_TRUE(ClickAt(CentreOf(target.Text1->hWnd())));
      ASSERT_EQ(GetFocus(), target.Text1->hWnd());
      ASSERT_TRUE(ClickAt(CentreOf(other.Text1->hWnd())));
    }
    ASSERT_EQ(GetActiveWindow(), other.hWnd());
    target.events.clear();
    other.events.clear();
    HWND control = target.Find(c.control, c.index)->hWnd();

    ASSERT_TRUE(ClickAt(CentreOf(control)));

    EXPECT_EQ(GetActiveWindow(), target.hWnd());
    EXPECT_EQ(target.events, std::vector<std::string>{c.event});
    EXPECT_TRUE(other.events.empty());
    EXPECT_EQ(GetCapture(), nullptr);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Controls, InactiveFormClick,
    testing::Values(
        InactiveClickCase{"Button", "Command1", -1, "Command1_Click", false},
        InactiveClickCase{"ButtonAfterTheTextBox", "Command1", -1, "Command1_Click", true},
        InactiveClickCase{"CheckBoxAfterTheTextBox", "Check1", 0, "Check1_Click(0)", true},
        InactiveClickCase{"LabelInAFrameAfterTheTextBox", "Label2", -1, "Label2_Click", true}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- a form owned by another ----------------------------------------------------------

constexpr Def kDialogDesign[] = {
    {.kind = Kind::TextBox, .name = "Text1", .rect = {120, 120, 3000, 300}, .caption = "dialog text"},
    {.kind = Kind::CommandButton, .name = "Command1", .rect = {120, 600, 1800, 375}, .caption = "Close owner"},
};
constexpr ui::FormDef kDialogForm{.name = "frmOwned", .caption = "Owned", .width = 3600, .height = 1800,
                                  .border = ui::BorderStyle::FixedDialog};

class FrmOwned : public ui::Form {
 public:
  FrmOwned() : Form(kDialogForm, kDialogDesign) {}
  ui::Ctl<ui::TextBox> Text1{this, "Text1"};
  ui::Ctl<ui::CommandButton> Command1{this, "Command1"};
  ui::Form* owner = nullptr;  // what Command1 unloads
  int loads = 0;
  int unloads = 0;
  std::string textAtUnload;
  bool cancelUnload = false;
  bool unloadItself = false;  // inside Form_Unload

 protected:
  void BindEvents() override {
    Command1->Click = [this] { owner->Unload(); };
  }
  void Form_Load() override { ++loads; }
  void Form_Unload(int& cancel) override {
    ++unloads;
    textAtUnload = Text1->Text();  // its controls are still there
    if (cancelUnload) cancel = 1;
    if (unloadItself) Unload();
  }
};

struct OwnerGoneCase {
  const char* name;
  void (*closeOwner)(FrmSample& owner, FrmOwned& dialog);
  bool cancelUnload;
  bool unloadItself;
};

class OwnedForm : public testing::Test {
 protected:
  void TearDown() override {
    dialog.cancelUnload = dialog.unloadItself = false;
    dialog.Unload();
    owner.Unload();
    ui::DoEvents();
  }
  void ShowBoth() {
    owner.Show();
    dialog.owner = &owner;
    dialog.Show(ui::vbModeless, &owner);
  }
  FrmSample owner;
  FrmOwned dialog;
};

class OwnerGone : public OwnedForm, public testing::WithParamInterface<OwnerGoneCase> {};

TEST_P(OwnerGone, ClosingItsOwnerUnloadsItOnceAndItOpensAgain) {
  ShowBoth();
  ASSERT_EQ(GetWindow(dialog.hWnd(), GW_OWNER), owner.hWnd());
  dialog.Text1->SetText("typed");
  dialog.cancelUnload = GetParam().cancelUnload;
  dialog.unloadItself = GetParam().unloadItself;
  const HWND window = dialog.hWnd();
  GetParam().closeOwner(owner, dialog);
  ui::DoEvents();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(dialog.Loaded());
  EXPECT_EQ(dialog.unloads, 1);
  EXPECT_EQ(dialog.textAtUnload, "typed");
  EXPECT_EQ(ui::LoadedFormCount(), 0);

  dialog.cancelUnload = dialog.unloadItself = false;
  ShowBoth();
  EXPECT_EQ(dialog.loads, 2) << "loaded anew";
  EXPECT_TRUE(IsWindowVisible(dialog.hWnd()));
  EXPECT_EQ(GetWindow(dialog.hWnd(), GW_OWNER), owner.hWnd());
  EXPECT_EQ(dialog.Text1->Text(), "dialog text");
}

INSTANTIATE_TEST_SUITE_P(
    Ways, OwnerGone,
    testing::Values(
        OwnerGoneCase{"OwnerUnloadedByCode", [](FrmSample& owner, FrmOwned&) { owner.Unload(); }, false, false},
        OwnerGoneCase{"OwnersCloseBox",
                      [](FrmSample& owner, FrmOwned&) { SendMessageA(owner.hWnd(), WM_CLOSE, 0, 0); }, false, false},
        // The owner's windows go once the dialog's handler has returned.
        OwnerGoneCase{"OwnerUnloadedInTheDialogsHandler",
                      [](FrmSample&, FrmOwned& dialog) { SendMessageA(dialog.Command1->hWnd(), BM_CLICK, 0, 0); },
                      false, false},
        OwnerGoneCase{"CancelCannotKeepAWindowThatGoes", [](FrmSample& owner, FrmOwned&) { owner.Unload(); }, true,
                      false},
        OwnerGoneCase{"FormUnloadUnloadsItself", [](FrmSample& owner, FrmOwned&) { owner.Unload(); }, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OwnedForm, UnloadedBeforeItsOwnerItIsNotUnloadedAgain) {
  for (bool itself : {false, true}) {
    SCOPED_TRACE(itself ? "Form_Unload unloads it once more" : "plain");
    ShowBoth();
    dialog.unloads = 0;
    dialog.unloadItself = itself;
    EXPECT_TRUE(dialog.Unload());
    EXPECT_FALSE(dialog.Loaded());
    owner.Unload();
    ui::DoEvents();
    EXPECT_EQ(dialog.unloads, 1);
    EXPECT_EQ(ui::LoadedFormCount(), 0);
  }
}

}  // namespace
