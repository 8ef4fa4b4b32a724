#pragma once
// What a user can do to a form, and the only way the desktop view and the tests act on it.
// Each action first gives the control the focus, as a mouse or a key would, then acts; it is
// refused (returns false, changes nothing) when the control or a frame around it is hidden or
// disabled, or the form is not loaded.

#include <string>

namespace xfer::editor {

class CommandButton;
class ComboBox;
class Control;
class FormBase;
class ListView;
class TextBox;

class UserActions {
  public:
    explicit UserActions(FormBase& form) : form_(form) {}

    bool click(CommandButton& button);
    // Types key by key at the end of the text; `replace` selects the whole text first. Each
    // character of `keys` (UTF-8) is one key; '\b' is backspace. A key refused by MaxLength is
    // dropped, the rest go on. Keys that are not valid UTF-8 are refused as a whole: the
    // action returns false before anything, the focus included, changes.
    bool type(TextBox& box, const std::string& keys, bool replace = false);
    bool type(ComboBox& combo, const std::string& keys, bool replace = false);
    // One edit that leaves the whole of `text` with the caret at `caret` (characters): a
    // paste, cut, delete or undo, or a key typed anywhere. Change runs once; an edit beyond
    // MaxLength is refused and changes nothing.
    bool edit(TextBox& box, std::string text, int caret);
    bool edit(ComboBox& combo, std::string text, int caret);
    // The caret and selection the user set with the mouse or the keys, in characters. No
    // event; the focus is not moved.
    bool select(TextBox& box, int start, int length);
    bool select(ComboBox& combo, int start, int length);
    // Chooses the entry at `index` (from 0), or the entry with that text.
    bool choose(ComboBox& combo, long index);
    bool choose(ComboBox& combo, const std::string& text);
    // Clicks row `index` (from 1): selects it alone, then ItemClick, Click and MouseUp.
    bool clickRow(ListView& list, long index);
    // Scrolls by whole rows (negative: up), through the list's window procedure.
    bool scroll(ListView& list, int rows);
    // A press on a column header, which reaches the list as a parent-notify message.
    bool pressHeader(ListView& list, int column);
    bool focus(Control& control);
    // The window's close box; true when the form is unloaded afterwards.
    bool closeBox();

  private:
    bool reachable(const Control& control) const;
    FormBase& form_;
};

}  // namespace xfer::editor
