// The prefix has the faces that Windows 7 draws its windows with: Marlett (the title bars'
// buttons), Tahoma (the dialogs' and the forms' texts) and MS Sans Serif. Without them Wine
// falls back to another face, the title bars show letters for their buttons and the texts
// take more room than their controls give them.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>

namespace {

int CALLBACK AddFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM families) {
  reinterpret_cast<std::set<std::string>*>(families)->insert(font->lfFaceName);
  return 1;
}

// The families the system lists, by name.
std::set<std::string> Families() {
  std::set<std::string> families;
  HDC dc = GetDC(nullptr);
  LOGFONTA all{};
  all.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesExA(dc, &all, AddFamily, reinterpret_cast<LPARAM>(&families), 0);
  ReleaseDC(nullptr, dc);
  return families;
}

// The face that a font asked for by name gets.
std::string FaceGiven(const char* name, BYTE charset) {
  HDC dc = GetDC(nullptr);
  HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, charset, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, name);
  HGDIOBJ old = SelectObject(dc, font);
  char face[LF_FACESIZE] = {};
  GetTextFaceA(dc, LF_FACESIZE, face);
  SelectObject(dc, old);
  DeleteObject(font);
  ReleaseDC(nullptr, dc);
  return face;
}

TEST(Fonts, ThePrefixHasTheFacesWindowsDrawsWith) {
  const std::set<std::string> families = Families();
  const struct {
    const char* name;
    BYTE charset;
  } faces[] = {{"Marlett", SYMBOL_CHARSET}, {"Tahoma", DEFAULT_CHARSET}, {"MS Sans Serif", DEFAULT_CHARSET}};
  for (const auto& face : faces) {
    SCOPED_TRACE(face.name);
    EXPECT_TRUE(families.count(face.name)) << "no such family";
    EXPECT_EQ(FaceGiven(face.name, face.charset), face.name);
  }
}

}  // namespace
