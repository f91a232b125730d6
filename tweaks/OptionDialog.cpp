#include "tweaks/OptionDialog.h"

#include "shell/LayoutScaling.h"

OptionDialog::OptionDialog(const ui::FormDef& form, std::span<const ui::Def> design,
                           std::span<const tweaks::TweakBinding> rows, int (*message)())
    : Form(form, design),
      steps_{{tweaks::Step::Write, rows}, {tweaks::Step::Message}, {tweaks::Step::Unload}},
      save_{.steps = steps_, .messageFor = message},
      rows_(rows) {}

void OptionDialog::Form_Load() {
  LoadTexts();
  ReadRows();
  ScaleDialogToScreen(*this);
}

void OptionDialog::ReadRows() { tweaks::ReadTweaks(*this, rows_); }

void OptionDialog::Save() { tweaks::RunSave(*this, save_); }
