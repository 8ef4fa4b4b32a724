#pragma once
// The report-style list view: column headers, rows keyed by text with a text and sub-items,
// the selected row, row geometry in twips and the window-procedure chain.
//
// - Sub-items are numbered from 1 and exist up to the column count - 1; another index raises
//   380. Adding a row with a key already present raises 35602; a missing key raises 35601; a
//   bad position 35600.
// - After rows are added to an empty list the first row is the selected row (it has the focus
//   rectangle) without being marked Selected; clearing the rows leaves no selected row. A user's
//   click marks the clicked row alone as selected.
// - Row i (from 1) lies at Top = HeaderHeight + (i - 1 - TopIndex) * RowHeight, Left 0, as wide as
//   the columns together, RowHeight high: the geometry the control reports to code.
// - Messages sent to the list's window go through its window procedure; the default procedure
//   scrolls on WM_VSCROLL (SB_LINEUP 0, SB_LINEDOWN 1) and answers 0.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/controls/control.h"

namespace xfer::editor {

class ImageList;
class ListView;

inline constexpr unsigned kWmVScroll = 0x115;
inline constexpr unsigned kWmParentNotify = 0x210;
inline constexpr unsigned kWmLButtonDown = 0x201;
inline constexpr long kSbLineUp = 0;
inline constexpr long kSbLineDown = 1;

enum class Alignment { Left = 0, Right = 1, Center = 2 };

struct ColumnHeader {
    std::string Text;
    int Width = 0;  // twips
    Alignment align = Alignment::Left;
};

class ListItem {
  public:
    const std::string& Key() const noexcept { return key_; }
    const std::string& Text() const noexcept { return text_; }
    void setText(std::string text);
    // Index from 1.
    long Index() const noexcept { return index_; }
    // Sub-item 1 .. column count - 1; raises 380 outside. An unset sub-item reads "".
    std::string SubItems(long index) const;
    void setSubItems(long index, std::string text);
    bool Selected() const noexcept { return selected_; }
    void setSelected(bool v);

    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;

  private:
    friend class ListView;
    ListItem(ListView& owner, std::string key, std::string text)
        : owner_(&owner), key_(std::move(key)), text_(std::move(text)) {}
    ListView* owner_;
    std::string key_;
    std::string text_;
    std::vector<std::string> subItems_;
    long index_ = 0;
    bool selected_ = false;
};

class ListView final : public Control {
  public:
    using WindowProc =
        std::function<long(std::intptr_t hwnd, unsigned msg, long wParam, long lParam)>;

    static constexpr int kRowHeight = 255;
    static constexpr int kHeaderHeight = 255;

    explicit ListView(std::string name);
    ~ListView() override;

    // Options set by the form; kept for a view.
    bool LabelEditManual = true, FullRowSelect = false, GridLines = false, MultiSelect = false,
         ReportView = true;
    void setSmallIcons(ImageList* images) noexcept { smallIcons_ = images; }
    ImageList* SmallIcons() const noexcept { return smallIcons_; }

    // Columns
    void ClearColumns();
    void AddColumn(std::string text, int width, Alignment align = Alignment::Left);
    long ColumnCount() const noexcept { return static_cast<long>(columns_.size()); }
    const ColumnHeader& Column(long index) const;  // from 1; 35600 outside

    // Rows
    ListItem& AddItem(std::string key, std::string text);
    void ClearItems();
    long ItemCount() const noexcept { return static_cast<long>(items_.size()); }
    ListItem& Item(long index);  // from 1
    ListItem& Item(const std::string& key);
    const ListItem& Item(long index) const;
    ListItem* SelectedItem() const noexcept { return selectedItem_; }
    // Makes the row the selected row and the only one marked Selected (a user's click).
    void selectOnly(ListItem& item);

    // Scrolling
    long TopIndex() const noexcept { return topIndex_; }
    long visibleRows() const noexcept;
    void setTopIndex(long index);

    // The window-procedure chain: installs a procedure and returns the one it replaces.
    WindowProc setWindowProc(WindowProc proc);
    long callDefaultWindowProc(std::intptr_t hwnd, unsigned msg, long wParam, long lParam);
    long SendMessage(unsigned msg, long wParam, long lParam);

    std::function<void(ListItem&)> ItemClick;
    std::function<void()> Click;
    std::function<void(int button, int shift, int x, int y)> MouseUp;

    // Called by rows when a cell or a selection changes.
    void rowChanged(Prop what) { notify(what); }

  private:
    friend class ListItem;  // a row marked selected becomes the selected row

    void captureOwnDesign() override {}
    void restoreOwnDesign() override;
    WindowProc defaultProc();
    int columnsWidth() const noexcept;
    ListItem* find(const std::string& key) const noexcept;

    std::vector<ColumnHeader> columns_;
    std::vector<std::unique_ptr<ListItem>> items_;
    ListItem* selectedItem_ = nullptr;
    ImageList* smallIcons_ = nullptr;
    long topIndex_ = 0;
    WindowProc windowProc_;
};

}  // namespace xfer::editor
