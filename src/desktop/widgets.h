#pragma once
// The widgets the form's controls are shown with. Each shows its whole value, or, where the
// room the layout gives is too small, the beginning of it with "…", never a cut that reads as
// another value ("STYLE 2" for STYLE 259), and then the whole value as its tooltip.
// `shownText()` is what was last drawn.

#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>

namespace xfer::desktop {

// A label drawn elided when its caption does not fit.
class ElidedLabel final : public QLabel {
  public:
    using QLabel::QLabel;
    const QString& shownText() const noexcept { return shown_; }
    // The width its caption needs (mnemonic markers left out).
    int textWidth() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString shown_;
};

// A text box that, while it has no focus, shows a text too long for it elided; with the focus
// it scrolls as any text box does, so that the caret stays in sight.
class ElidedLineEdit final : public QLineEdit {
  public:
    using QLineEdit::QLineEdit;
    const QString& shownText() const noexcept { return shown_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

  private:
    QString shown_;
};

// A combo box that draws its chosen entry elided, takes the mouse wheel only while it has the
// focus (otherwise the wheel goes on to what is under it), and opens a drop-down as wide as
// its longest entry, with a scrollbar when the entries do not fit.
class ModelComboBox final : public QComboBox {
  public:
    explicit ModelComboBox(QWidget* parent);
    const QString& shownText() const noexcept { return shown_; }
    // The widest entry's text width. A list of numbers "first".."last" is measured by its
    // widest number alone.
    int longestEntryWidth() const;
    // The entries were replaced: measure them again when asked.
    void entriesChanged() noexcept { longest_ = -1; }
    // The box width that shows the longest entry whole.
    int widthForLongestEntry() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  public:
    void showPopup() override;

  private:
    int measureEntries() const;
    QString shown_;
    mutable int longest_ = -1;
};

// A frame with a border and its title drawn on the border line, as dialogs draw them.
class TitledFrame final : public QGroupBox {
  public:
    using QGroupBox::QGroupBox;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

// A report list that shows where the keyboard is: with the focus, the current row is framed,
// and the current row is the selected one (the first when none is).
class ReportList final : public QTreeWidget {
  public:
    using QTreeWidget::QTreeWidget;

  protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    void focusInEvent(QFocusEvent* event) override;
};

// The record navigation symbols ("first", "previous", "next", "last"), drawn as vectors at
// whatever size and pixel ratio they are asked for.
QIcon NavigationIcon(const QString& symbol);

}  // namespace xfer::desktop
