#pragma once
// A text box. Setting Text from code to a different value fires Change (and puts the caret at
// the start); setting the same value fires nothing. Code may set any length; MaxLength (0 = no
// limit) limits only typing. Text is UTF-8: MaxLength, SelStart and SelLength count characters,
// and text that is not valid UTF-8 is refused (error 380, the box unchanged).

#include <string>
#include <string_view>

#include "editor/controls/control.h"

namespace xfer::editor {

class TextBox final : public Control {
  public:
    explicit TextBox(std::string name) : Control(std::move(name), ControlKind::TextBox) {}

    const std::string& Text() const noexcept { return text_; }
    void setText(std::string text);
    int MaxLength() const noexcept { return maxLength_; }
    void setMaxLength(int v) noexcept { maxLength_ = v; }
    bool Locked() const noexcept { return locked_; }
    void setLocked(bool v) noexcept { locked_ = v; }

    int SelStart() const noexcept { return selStart_; }
    int SelLength() const noexcept { return selLength_; }
    void setSelStart(int v);   // clamped to the text; clears the selection
    void setSelLength(int v);  // clamped to the text after SelStart

    // A key typed by the user at the caret, replacing the selection: one printable character,
    // however many bytes it takes (refused beyond MaxLength), or "\b" (backspace, which takes
    // the whole character before the caret). Fires Change when the text changed. Returns
    // whether the key was taken.
    bool typeKey(std::string_view key);
    // A one-byte key: an ASCII character or backspace; a byte of a longer character alone is
    // refused.
    bool typeKey(char key) { return typeKey(std::string_view(&key, 1)); }
    // One edit of the user's that leaves `text` (a paste, a cut, a delete, an undo): the caret
    // goes to `caret` (characters) and Change fires once. Refused when `text` is not UTF-8, or
    // is longer than MaxLength characters and longer than the text it replaces. Returns
    // whether the edit was taken.
    bool editText(std::string text, int caret);

    std::function<void()> Change;

  private:
    // A user's edit in place: the text, then the caret; Change fires once when the text differs.
    void commitUserEdit(std::string text, int selStart, int selLength);
    void captureOwnDesign() override { designText_ = text_; }
    void restoreOwnDesign() override;
    std::string text_, designText_;
    int maxLength_ = 0;
    bool locked_ = false;
    int selStart_ = 0, selLength_ = 0;
};

}  // namespace xfer::editor
