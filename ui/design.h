#pragma once
// A form's design: one compile-time table of controls, next to the form's own file.
//
//   constexpr ui::Def kDesign[] = {
//       {.kind = ui::Kind::Frame, .name = "Frame1", .rect = {120, 120, 4000, 2000}, .caption = "Options"},
//       {.kind = ui::Kind::CheckBox, .name = "Check1", .index = 0, .parent = "Frame1",
//        .rect = {240, 360, 3000, 255}},
//   };
//
// Rectangles are in twips (1/1440 inch; 15 twips are one pixel at 96 DPI), relative to the
// container. A Line's rectangle holds X1, Y1, X2, Y2. Containers come before their contents.
#include <windows.h>

#include <cstdint>

namespace ui {

enum class Kind {
  Label,
  TextBox,
  CommandButton,
  CheckBox,
  OptionButton,
  Frame,
  PictureBox,
  Image,
  Line,
  Timer,
  VScrollBar,
  ComboBox,
  ListBox,
  Menu,
  Custom,  // a control of our own (list view, progress bar, hyperlink label ...)
};

// Style flags of a design row.
enum Style : uint32_t {
  kHidden = 1u << 0,        // Visible = False at design time
  kDisabled = 1u << 1,      // Enabled = False
  kBold = 1u << 2,          // bold font
  kCenter = 1u << 3,        // Alignment: centred
  kRight = 1u << 4,         // Alignment: right
  kMultiLine = 1u << 5,     // text box
  kPassword = 1u << 6,      // text box shows '*'
  kLocked = 1u << 7,        // text box read-only
  kDropDownList = 1u << 8,  // combo box without an edit part
  kSorted = 1u << 9,        // combo and list box
  kTransparent = 1u << 10,  // label BackStyle 0
  kBorder = 1u << 11,       // label/picture/image with a single border
  kDefault = 1u << 12,      // command button: pressed by Enter
  kCancel = 1u << 13,       // command button: pressed by Esc
  kStretch = 1u << 14,      // image stretches its picture
  kChecked = 1u << 15,      // menu item checked
  kSeparator = 1u << 16,    // menu separator
  kNoTabStop = 1u << 17,
  kScrollBars = 1u << 18,   // multi-line text box with a vertical scroll bar
  kItalic = 1u << 19,
  kUnderline = 1u << 20,
};

// The mouse pointer over a control: the class's own, or the pointing hand of a link.
enum class Pointer : uint8_t { Default, Hand };

struct Rect {
  float left = 0, top = 0, width = 0, height = 0;
};

inline constexpr COLORREF kDefaultColor = 0xFFFFFFFFu;

struct Def {
  Kind kind = Kind::Label;
  const char* name = "";
  int index = -1;           // element of a control array, or -1
  const char* parent = "";  // container (or parent menu); "" = the form
  int parentIndex = -1;     // index of the container when it is an array element
  Rect rect{};
  const char* caption = "";  // Caption, or Text of a text box or combo box
  float fontSize = 0;        // points; 0 = the form's size
  uint32_t style = 0;
  int value = 0;       // check box 0/1/2, option 1 = selected, scroll bar Value
  int min = 0;         // scroll bar Min
  int max = 0;         // scroll bar Max, text box MaxLength, timer Interval (ms)
  int smallChange = 1;
  int largeChange = 1;
  COLORREF foreColor = kDefaultColor;
  COLORREF backColor = kDefaultColor;
  int picture = 0;            // bitmap resource id for images and picture boxes
  const char* fontName = "";  // "" = the form's font
  const char* customClass = "";  // Kind::Custom: the factory name
  Pointer pointer = Pointer::Default;  // label: MousePointer
};

enum class BorderStyle { None, FixedSingle, Sizable, FixedDialog, FixedToolWindow };
enum class StartUpPosition { Manual, CenterOwner, CenterScreen, WindowsDefault };

struct FormDef {
  const char* name = "";
  const char* caption = "";
  float left = 0, top = 0;
  float width = 4800;   // outer size, twips
  float height = 3600;
  BorderStyle border = BorderStyle::Sizable;
  bool controlBox = true;
  bool minButton = true;
  bool maxButton = true;
  bool showInTaskbar = true;
  StartUpPosition startUp = StartUpPosition::CenterScreen;
  float fontSize = 8;
  const char* fontName = "Tahoma";
  COLORREF backColor = kDefaultColor;
  bool icon = true;  // the program's icon in the caption
  // When set, the window is sized so that its client area has this size (twips).
  float clientWidth = 0;
  float clientHeight = 0;
};

}  // namespace ui
