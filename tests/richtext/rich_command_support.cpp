#include "rich_command_support.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>

#include "gui/menus/menu_observer.h"
#include "richtext/controls/ww_custom_rich_edit.h"
#include "richtext/edit/rich_edit_box.h"

namespace {

std::string Entries(TMenuView& View) {
  std::string out;
  for (int i = 0; i < View.Count(); ++i) {
    if (i > 0) out += " | ";
    if (View.IsLine(i)) {
      out += "-";
      continue;
    }
    out += View.Caption(i);
    if (!View.Enabled(i)) out += "(off)";
    if (View.Checked(i)) out += "[x]";
    if (View.Bold(i)) out += "(default)";
    if (View.HasSubMenu(i)) out += ">";
  }
  return out;
}

}  // namespace

std::string RightClick(TwwCustomRichEdit& Control, QPoint Point, const std::vector<std::string>& Path,
                       std::string* SubMenu) {
  std::string shown;
  size_t level = 0;
  const TMenuObserver previous = SetMenuObserver([&](TMenuView& View) {
    const std::string entries = Entries(View);
    if (level == 0) shown = entries;
    if (level == 1 && SubMenu != nullptr) *SubMenu = entries;
    if (level >= Path.size()) {
      View.Close();
      return;
    }
    const int index = View.IndexOf(Path[level]);
    ++level;
    if (index < 0) {
      ADD_FAILURE() << "no entry " << Path[level - 1] << " in " << entries;
      View.Close();
      return;
    }
    View.Choose(index);
  });
  QWidget* viewport = Control.EditBox()->viewport();
  QContextMenuEvent event(QContextMenuEvent::Mouse, Point, viewport->mapToGlobal(Point));
  QApplication::sendEvent(viewport, &event);
  SetMenuObserver(previous);
  return shown;
}
