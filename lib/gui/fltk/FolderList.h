// The folder list's widget: one row per entry, indented by its level, with a small folder
// glyph (drawn open for the folders on the way down to the open one). A click or an arrow key
// selects; a double-click opens. Enter is left to the window, whose default button takes it.
#pragma once

#include <FL/Fl_Hold_Browser.H>

#include <functional>
#include <string>
#include <vector>

namespace gui::fltk {

class FolderList : public Fl_Hold_Browser {
 public:
  struct Row {
    std::string caption;
    int level = 0;
    bool open = false;
  };

  FolderList(int x, int y, int w, int h);
  // Replaces the rows when they differ and selects one (0-based, -1 for none).
  void SetRows(std::vector<Row> rows, int selected, int rowHeight);

  std::function<void(int)> onSelect;  // 0-based row
  std::function<void(int)> onOpen;

  int handle(int event) override;

 protected:
  int item_height(void* item) const override;
  int item_width(void* item) const override;
  void item_draw(void* item, int x, int y, int w, int h) const override;

 private:
  const Row& RowOf(void* item) const;
  int TextLeft(const Row& row) const;

  std::vector<Row> rows_;
  int rowHeight_ = 16;
};

}  // namespace gui::fltk
