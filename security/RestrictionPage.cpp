#include "security/RestrictionPage.h"

RestrictionPage::RestrictionPage(const ui::FormDef& form, std::span<const ui::Def> design,
                                 const Contents& contents)
    : Page(form, design), contents_(contents) {}

void RestrictionPage::Form_Load() {
  LoadPageCaptions(*this, contents_.windowCaption, contents_.captions);
  for (std::span<const tweaks::TweakBinding> rows : contents_.readers) tweaks::ReadTweaks(*this, rows);
  ScaleToScreen();
}

void RestrictionPage::Save() { tweaks::RunSave(*this, *contents_.save); }
