#pragma once
// The plain side of a list benchmark: a bare SysListView32, as a plain program would make and
// fill it, made like a page's list (its size, view, font, extended styles, columns and their
// widths; never a list that asks for its rows) in a window of its own that lies exactly over
// that list, so that both paint the same area of the screen. The side whose turn it is is
// brought to the front first, outside the time.
//
//   PlainListView plain(page.ListView1->hWnd());
//   plain.BringToFront();                       // outside the time
//   plain.BeginFill();                          // redraw off, the old rows deleted
//   for (...) plain.AddRow(name, path);          // one insert per row, its sub-item set
//   plain.EndFill();                            // redraw on, one repaint, now
#include <windows.h>

class PlainListView {
 public:
  explicit PlainListView(HWND like);
  ~PlainListView();
  PlainListView(const PlainListView&) = delete;
  PlainListView& operator=(const PlainListView&) = delete;

  HWND hWnd() const { return list_; }
  HWND Host() const { return host_; }
  int Count() const;

  // Raises the list's window above the others (the page's among them) and paints it.
  void BringToFront();

  // The list's redraw held off, the old rows deleted.
  void BeginFill();
  // `sub` is the text of the second column; nullptr sets none.
  void AddRow(const char* text, const char* sub = nullptr);
  // Redraw on again and one repaint, now.
  void EndFill();

 private:
  HWND host_ = nullptr;
  HWND list_ = nullptr;
  int next_ = 0;
};

// Raises the top-level window of `window` above the others and paints it, outside the time.
void BringToFront(HWND window);
