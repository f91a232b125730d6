#pragma once
// A restriction page: check boxes and option buttons bound to policy values by rows of the
// tweak engine. The page declares its captions, its rows (one table per writer, in Save
// order) and its Save; loading sets the captions, reads every table in order and then
// scales the page. Nothing is written until Save.
#include <span>

#include "shell/PageFrame.h"
#include "tweaks/TweakEngine.h"

// A check box of a page's design: in `frame` (element `frameIndex` of a frame array, or -1),
// `top` twips down, one line high.
constexpr ui::Def CheckBoxDef(const char* name, int index, const char* frame, int frameIndex,
                              float left, float top, float width, uint32_t style = 0) {
  return {.kind = ui::Kind::CheckBox, .name = name, .index = index, .parent = frame,
          .parentIndex = frameIndex, .rect = {left, top, width, 315}, .style = style};
}

class RestrictionPage : public Page {
 public:
  struct Contents {
    int windowCaption = kNoText;
    std::span<const CaptionLine> captions;
    // The readers in load order: each reads one writer's rows.
    std::span<const std::span<const tweaks::TweakBinding>> readers;
    const tweaks::TweakSave* save = nullptr;
  };

 protected:
  RestrictionPage(const ui::FormDef& form, std::span<const ui::Def> design, const Contents& contents);

  void Form_Load() override;
  // The last step of loading: the page scaler, or the dialog scaler of a dialog-sized page.
  virtual void ScaleToScreen() = 0;
  void Save();

 private:
  const Contents& contents_;
};
