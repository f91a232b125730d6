#include "shell/LayoutScaling.h"

#include <cfenv>
#include <cmath>

#include "platform/system_facts.h"
#include "shell/ProgramState.h"
#include "ui/DriveList.h"
#include "ui/ListView.h"

namespace {

// Steps shared by both scalers, once DpiIsNormal is settled.
void ScaleToScreen(ui::Form& frm, int scaleMode) {
  DesignWidthPx = 1024;
  DesignHeightPx = 768;
  ResizeFormToo = true;
  // Rounded half to even, as the screen's twips per pixel are.
  TwipsPerPixelX = static_cast<int16_t>(std::nearbyint(platform::TwipsPerPixel()));
  ScreenWidthPx = static_cast<int16_t>(platform::systemFacts().ScreenWidth());
  ScreenHeightPx = static_cast<int16_t>(platform::systemFacts().ScreenHeight());
  if (ScreenWidthPx <= DesignWidthPx) return;
  float sx, sy;
  if (TwipsPerPixelX > 10) {
    sx = static_cast<float>(static_cast<double>(ScreenWidthPx) / DesignWidthPx);
    sy = static_cast<float>(static_cast<double>(ScreenHeightPx) / DesignHeightPx);
  } else {
    sx = static_cast<float>(static_cast<double>(DesignWidthPx) / ScreenWidthPx);
    sy = static_cast<float>(static_cast<double>(DesignHeightPx) / ScreenHeightPx);
  }
  frm.SetScaleMode(scaleMode);
  ResizeControls(sx, sy, frm);
}

}  // namespace

void ResizeControls(float sx, float sy, ui::Form& frm) {
  const float f = static_cast<float>((static_cast<double>(sx) + sy) / 2.2);
  for (int i = 0; i < frm.ControlCount(); ++i) {
    ui::Control& c = frm.Controls(i);
    // A drive list is a combo box of its own.
    switch (dynamic_cast<ui::DriveList*>(&c) ? ui::Kind::ComboBox : c.kind()) {
      case ui::Kind::Timer:
      case ui::Kind::Menu:
        break;  // nothing to place
      case ui::Kind::ComboBox:
        c.SetLeft(c.Left() * sx);
        c.SetTop(c.Top() * sy);
        c.SetWidth(c.Width() * sx);  // the height follows the font
        c.SetFontSize(c.FontSize() * f);
        break;
      case ui::Kind::Line: {
        auto& line = static_cast<ui::Line&>(c);
        line.SetPoints(line.X1() * sx, line.Y1() * sy, line.X2() * sx, line.Y2() * sy);
        break;
      }
      case ui::Kind::Image: {
        auto& image = static_cast<ui::Image&>(c);
        image.Move(c.Left() * sx, c.Top() * sy, c.Width() * sx, c.Height() * sy);
        if (!DpiIsNormal) image.SetStretch(true);
        break;
      }
      default: {
        float l = c.Left(), t = c.Top(), w = c.Width(), h = c.Height();
        c.Move(l * sx, t * sy, w * sx, h * sy);
        if (c.HasFont()) c.SetFontSize(c.FontSize() * f);
        // A list view's columns keep their share of its width.
        if (auto* list = dynamic_cast<ui::ListView*>(&c)) {
          for (int k = 1; k <= list->ColumnCount(); ++k)
            list->Column(k).SetWidth(list->Column(k).Width() * sx);
        }
        break;
      }
    }
  }
  if (ResizeFormToo) frm.Move(frm.Left() * sx, frm.Top() * sy, frm.Width() * sx, frm.Height() * sy);
}

void ScalePageToScreen(ui::Form& frm, int scaleMode) {
  DpiIsNormal = IsNormalDpi();
  ScaleToScreen(frm, scaleMode);
}

void ScaleDialogToScreen(ui::Form& frm) { ScaleToScreen(frm, 1); }
