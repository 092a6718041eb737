#include "gui/fltk/FolderList.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include "gui/fltk/Theme.h"

namespace gui::fltk {
namespace {

constexpr int kIndent = 8;
constexpr int kGlyphWidth = 14;
constexpr int kGlyphHeight = 11;

void DrawFolderGlyph(int x, int y, bool open) {
  const Fl_Color body = fl_rgb_color(0xE8, 0xC0, 0x50);
  const Fl_Color front = fl_rgb_color(0xF8, 0xDC, 0x80);
  const Fl_Color edge = fl_rgb_color(0x90, 0x70, 0x20);
  // The tab on the back of the folder.
  fl_color(body);
  fl_rectf(x + 1, y, 5, 2);
  fl_rectf(x, y + 2, kGlyphWidth - 1, kGlyphHeight - 2);
  fl_color(edge);
  fl_rect(x, y + 2, kGlyphWidth - 1, kGlyphHeight - 2);
  if (open) {
    // A front flap tipped forward.
    fl_color(front);
    fl_polygon(x + 3, y + 5, x + kGlyphWidth, y + 5, x + kGlyphWidth - 3, y + kGlyphHeight - 1, x,
               y + kGlyphHeight - 1);
    fl_color(edge);
    fl_loop(x + 3, y + 5, x + kGlyphWidth, y + 5, x + kGlyphWidth - 3, y + kGlyphHeight - 1, x,
            y + kGlyphHeight - 1);
  }
}

}  // namespace

FolderList::FolderList(int x, int y, int w, int h) : Fl_Hold_Browser(x, y, w, h) {
  when(FL_WHEN_NEVER);
  // Folder names are shown as they are: no "@" formatting, no columns.
  format_char(0);
  column_char(0);
}

void FolderList::SetRows(std::vector<Row> rows, int selected, int rowHeight) {
  const bool same = rowHeight == rowHeight_ && rows.size() == rows_.size() &&
                    std::equal(rows.begin(), rows.end(), rows_.begin(), [](auto& a, auto& b) {
                      return a.caption == b.caption && a.level == b.level && a.open == b.open;
                    });
  if (!same) {
    rowHeight_ = rowHeight;
    rows_ = std::move(rows);
    clear();
    for (const Row& row : rows_) add(row.caption.c_str());
  }
  if (value() != selected + 1) value(selected + 1);
  if (selected >= 0) make_visible(selected + 1);
}

int FolderList::handle(int event) {
  if (event == FL_KEYBOARD && (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter))
    return 0;
  const int before = value();
  const bool onRow = event == FL_PUSH && find_item(Fl::event_y()) != nullptr;
  const bool doubleClick = onRow && Fl::event_clicks() != 0;
  const int used = Fl_Hold_Browser::handle(event);
  const int after = value();
  if (after <= 0) return used;
  if (doubleClick) {
    Fl::event_clicks(0);  // a third click starts a new double-click
    if (onOpen) onOpen(after - 1);
  } else if (onRow || (after != before && event != FL_RELEASE)) {
    // A click selects even the row already selected; that still counts as a click.
    if (onSelect) onSelect(after - 1);
  }
  return used;
}

const FolderList::Row& FolderList::RowOf(void* item) const {
  static const Row none;
  const int line = lineno(item);
  if (line < 1 || line > static_cast<int>(rows_.size())) return none;
  return rows_[static_cast<std::size_t>(line - 1)];
}

int FolderList::TextLeft(const Row& row) const {
  return 2 + row.level * kIndent + kGlyphWidth + 4;
}

int FolderList::item_height(void*) const {
  return rowHeight_;
}

int FolderList::item_width(void* item) const {
  const Row& row = RowOf(item);
  fl_font(textfont(), textsize());
  return TextLeft(row) + static_cast<int>(fl_width(row.caption.c_str())) + 4;
}

void FolderList::item_draw(void* item, int x, int y, int, int h) const {
  const Row& row = RowOf(item);
  DrawFolderGlyph(x + 2 + row.level * kIndent, y + (h - kGlyphHeight) / 2, row.open);
  fl_font(textfont(), textsize());
  Fl_Color text = item_selected(item) ? fl_contrast(textcolor(), selection_color()) : textcolor();
  if (!active_r()) text = fl_inactive(text);
  fl_color(text);
  const int baseline = y + (h - fl_height()) / 2 + fl_height() - fl_descent();
  fl_draw(row.caption.c_str(), static_cast<int>(row.caption.size()), x + TextLeft(row), baseline);
}

}  // namespace gui::fltk
