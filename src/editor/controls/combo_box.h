#pragma once
// Drop-down list (no typing) and editable drop-down combo, with item data per entry.
//
// - Selecting an entry from code (setListIndex, or setText of a drop-down list to an entry's
//   text) fires Click, as a user's selection does; ListIndex -1 clears the selection silently.
//   An index outside the list raises 380. setText of a drop-down list to a text that is no
//   entry raises 383.
// - setText of an editable combo to a different text fires Change; the same text fires nothing.
//   Text is UTF-8 as in a text box: SelStart and SelLength count characters, and text or an
//   entry that is not valid UTF-8 is refused with error 380.
//   Selecting an entry of an editable combo puts its text in the box without firing Change.
// - Clear and AddItem fire nothing; Clear also empties the text.
// - The entries may be numbers, made into text only when one is read: a range ("1".."n"), or
//   any numbers after a common text ("XFER 1", "XFER 7"), item data the number. They cost
//   nothing to build and read exactly like added entries.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/controls/control.h"

namespace xfer::editor {

enum class ComboStyle { DropDownCombo = 0, DropDownList = 2 };

class ComboBox final : public Control {
  public:
    ComboBox(std::string name, ComboStyle style)
        : Control(std::move(name), ControlKind::ComboBox), style_(style) {}

    ComboStyle Style() const noexcept { return style_; }

    void AddItem(std::string text);
    // Replaces the entries by first..last as decimal text, item data the number; an empty
    // range when last < first.
    void setRange(long first, long last);
    // Adds an entry `prefix` + n for each number n (first..last, or `numbers` in order), item
    // data the number, as AddItem and setItemData would one by one; NewIndex is the last one
    // added. A prefix that is not valid UTF-8 is refused (380) before anything is added.
    void addNumbered(const std::string& prefix, long first, long last);
    void addNumbered(const std::string& prefix, std::vector<long> numbers);
    // Raises 380 for a text that no entry may have.
    void checkEntryText(const std::string& text) const;
    void Clear();
    long ListCount() const noexcept;
    // The entry's text; "" outside the list.
    std::string List(long index) const;
    // Raises 381 outside the list.
    long ItemData(long index) const;
    void setItemData(long index, long value);
    long NewIndex() const noexcept { return newIndex_; }
    // Whether the entries are a generated range of numbers (SetRange) rather than a list.
    bool isGeneratedRange() const noexcept { return made_ == Made::Range && prefix_.empty(); }
    // Index of the entry whose text equals `text` without regard to case, or -1.
    long findExact(const std::string& text) const;

    long ListIndex() const noexcept { return listIndex_; }
    void setListIndex(long index);

    const std::string& Text() const noexcept { return text_; }
    void setText(std::string text);
    int SelStart() const noexcept { return selStart_; }
    int SelLength() const noexcept { return selLength_; }
    void setSelStart(int v);
    void setSelLength(int v);

    // A key typed by the user into an editable combo (one printable character or "\b", as a
    // text box takes it); refused by a drop-down list. Fires Change when the text changed.
    // Returns whether it was taken.
    bool typeKey(std::string_view key);
    // A one-byte key: an ASCII character or backspace; a byte of a longer character alone is
    // refused.
    bool typeKey(char key) { return typeKey(std::string_view(&key, 1)); }
    // One edit of the user's in an editable combo that leaves `text` (a paste, a cut, a
    // delete, an undo): the caret goes to `caret` (characters) and Change fires once. Refused
    // by a drop-down list and for text that is not UTF-8. Returns whether it was taken.
    bool editText(std::string text, int caret);

    std::function<void()> Click;
    std::function<void()> Change;

  private:
    void captureOwnDesign() override {}
    void restoreOwnDesign() override;
    void clearSilently();
    void materialize();
    bool inList(long index) const noexcept;
    long numberAt(long index) const noexcept;
    long findNumbered(const std::string& text) const;
    void putText(std::string text, int caret);
    void followText();

    ComboStyle style_;
    std::vector<std::string> texts_;
    std::vector<long> itemData_;
    // Entries held as numbers: a range, or a list of numbers; both after prefix_.
    enum class Made { Listed, Range, Numbers };
    Made made_ = Made::Listed;
    std::string prefix_;
    long rangeFirst_ = 1, rangeCount_ = 0;
    std::vector<long> numbers_;
    long listIndex_ = -1;
    long newIndex_ = -1;
    std::string text_;
    int selStart_ = 0, selLength_ = 0;
};

// A list box; the three the reference check uses are never shown.
class ListBox final : public Control {
  public:
    explicit ListBox(std::string name) : Control(std::move(name), ControlKind::ListBox) {}
    void AddItem(std::string text);
    void Clear();
    long ListCount() const noexcept { return static_cast<long>(texts_.size()); }
    std::string List(long index) const;  // "" outside the list

  private:
    void captureOwnDesign() override {}
    void restoreOwnDesign() override { texts_.clear(); }
    std::vector<std::string> texts_;
};

}  // namespace xfer::editor
