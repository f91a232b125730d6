#pragma once
// A small option dialog of the Internet Explorer page: option buttons bound to rows of the
// tweak engine (one per browser version), read when the dialog loads; Save writes them,
// reports and closes the dialog. Neither needs a restart.
#include <span>

#include "tweaks/TweakEngine.h"
#include "ui/form.h"

// The window of such a dialog: a fixed dialog frame without task-bar button, its client
// area width x height twips.
constexpr ui::FormDef OptionDialogForm(const char* name, const char* caption, float width, float height) {
  return {.name = name,
          .caption = caption,
          .border = ui::BorderStyle::FixedDialog,
          .minButton = false,
          .maxButton = false,
          .showInTaskbar = false,
          .clientWidth = width,
          .clientHeight = height};
}

class OptionDialog : public ui::Form {
 protected:
  // `message` gives the string id of the message Save shows, when Save runs.
  OptionDialog(const ui::FormDef& form, std::span<const ui::Def> design,
               std::span<const tweaks::TweakBinding> rows, int (*message)());

  // Loading: the dialog's texts, then its rows read, then the dialog scaler.
  void Form_Load() override;
  virtual void LoadTexts() = 0;
  void ReadRows();
  void Save();

 private:
  tweaks::SaveStep steps_[3];
  tweaks::TweakSave save_;
  std::span<const tweaks::TweakBinding> rows_;
};
