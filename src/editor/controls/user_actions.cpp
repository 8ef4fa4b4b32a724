#include "editor/controls/user_actions.h"

#include "editor/controls/combo_box.h"
#include "editor/controls/form_base.h"
#include "editor/controls/list_view.h"
#include "editor/controls/simple_controls.h"
#include "editor/controls/text_box.h"
#include "editor/controls/text_editing.h"
#include "runtime/utf8.h"

namespace xfer::editor {

namespace {

// Typing into a text box or an editable combo: the caret goes to the end, or the whole text is
// selected, then the keys arrive one character at a time while the box can still take them.
template <typename Box>
void TypeKeys(Box& box, const std::string& keys, bool replace,
              const std::function<bool()>& stillThere) {
    const int length = detail::CharCount(box.Text());
    box.setSelStart(replace ? 0 : length);
    if (replace) {
        box.setSelLength(length);
    }
    for (const std::string& key : runtime::utf8::Characters(keys)) {
        if (!stillThere()) {
            return;
        }
        box.typeKey(key);  // a refused key is dropped
    }
}

}  // namespace

bool UserActions::reachable(const Control& control) const {
    return form_.isLoaded() && control.isUsable();
}

bool UserActions::focus(Control& control) {
    if (!reachable(control)) {
        return false;
    }
    form_.moveFocus(control);
    // A LostFocus or GotFocus handler may have taken the control or the form away.
    return reachable(control);
}

bool UserActions::click(CommandButton& button) {
    if (!focus(button)) {
        return false;
    }
    detail::Fire(button.Click);
    return true;
}

bool UserActions::type(TextBox& box, const std::string& keys, bool replace) {
    if (!runtime::utf8::IsValid(keys) || !focus(box) || box.Locked()) {
        return false;
    }
    TypeKeys(box, keys, replace, [&] { return reachable(box); });
    return true;
}

bool UserActions::type(ComboBox& combo, const std::string& keys, bool replace) {
    if (!runtime::utf8::IsValid(keys) || combo.Style() == ComboStyle::DropDownList ||
        !focus(combo)) {
        return false;
    }
    TypeKeys(combo, keys, replace, [&] { return reachable(combo); });
    return true;
}

bool UserActions::edit(TextBox& box, std::string text, int caret) {
    if (!focus(box)) {
        return false;
    }
    return box.editText(std::move(text), caret);
}

bool UserActions::edit(ComboBox& combo, std::string text, int caret) {
    if (combo.Style() == ComboStyle::DropDownList || !focus(combo)) {
        return false;
    }
    return combo.editText(std::move(text), caret);
}

bool UserActions::select(TextBox& box, int start, int length) {
    if (!reachable(box)) {
        return false;
    }
    box.setSelStart(start);
    box.setSelLength(length);
    return true;
}

bool UserActions::select(ComboBox& combo, int start, int length) {
    if (combo.Style() == ComboStyle::DropDownList || !reachable(combo)) {
        return false;
    }
    combo.setSelStart(start);
    combo.setSelLength(length);
    return true;
}

bool UserActions::choose(ComboBox& combo, long index) {
    if (index < 0 || index >= combo.ListCount() || !focus(combo)) {
        return false;
    }
    combo.setListIndex(index);
    return true;
}

bool UserActions::choose(ComboBox& combo, const std::string& text) {
    return choose(combo, combo.findExact(text));
}

bool UserActions::clickRow(ListView& list, long index) {
    if (index < 1 || index > list.ItemCount() || !focus(list)) {
        return false;
    }
    ListItem& row = list.Item(index);
    // Where the mouse was released: inside the row, measured before any handler runs.
    const int x = row.Left() + ListView::kRowHeight / 2;
    const int y = row.Top() + row.Height() / 2;
    list.selectOnly(row);
    detail::Fire(list.ItemClick, row);
    if (form_.isLoaded()) {
        detail::Fire(list.Click);
    }
    if (form_.isLoaded()) {
        detail::Fire(list.MouseUp, 1, 0, x, y);
    }
    return true;
}

bool UserActions::scroll(ListView& list, int rows) {
    if (!reachable(list)) {
        return false;
    }
    const long code = rows < 0 ? kSbLineUp : kSbLineDown;
    for (int i = 0; i < (rows < 0 ? -rows : rows) && form_.isLoaded(); ++i) {
        list.SendMessage(kWmVScroll, code, 0);
    }
    return true;
}

bool UserActions::pressHeader(ListView& list, int column) {
    if (!reachable(list) || column < 1 || column > list.ColumnCount()) {
        return false;
    }
    list.SendMessage(kWmParentNotify, static_cast<long>(kWmLButtonDown), 0);
    return true;
}

bool UserActions::closeBox() {
    if (!form_.isLoaded()) {
        return false;
    }
    form_.closeBox();
    return !form_.isLoaded();
}

}  // namespace xfer::editor
