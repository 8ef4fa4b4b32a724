#include "desktop/widgets.h"

#include <QAbstractItemView>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyleOptionComboBox>
#include <QStyleOptionFocusRect>
#include <QStyleOptionFrame>
#include <QStylePainter>
#include <QWheelEvent>
#include <algorithm>

namespace xfer::desktop {

namespace {

// QLineEdit's own margins around its text, in pixels.
constexpr int kLineEditMarginX = 2;

QString Elided(const QFontMetrics& metrics, const QString& text, int width) {
    return metrics.horizontalAdvance(text) <= width
               ? text
               : metrics.elidedText(text, Qt::ElideRight, std::max(width, 0));
}

// An elided value's whole text is its tooltip; a value shown whole needs none.
void ShowWholeInToolTip(QWidget* widget, const QString& whole, const QString& shown) {
    const QString tip = shown == whole ? QString() : whole;
    if (widget->toolTip() != tip)
        widget->setToolTip(tip);
}

bool IsNumber(const QString& text) {
    bool ok = false;
    text.toLong(&ok);
    return ok;
}

}  // namespace

// Label -----------------------------------------------------------------------------------------

int ElidedLabel::textWidth() const {
    QString plain = text();
    if (!buddy())
        return fontMetrics().horizontalAdvance(plain);
    plain.remove(QLatin1Char('&'));
    return fontMetrics().horizontalAdvance(plain);
}

void ElidedLabel::paintEvent(QPaintEvent* event) {
    const QRect room = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    if (textWidth() <= room.width()) {
        shown_ = text();
        if (buddy())
            shown_.remove(QLatin1Char('&'));
        ShowWholeInToolTip(this, shown_, shown_);
        QLabel::paintEvent(event);
        return;
    }
    QString plain = text();
    if (buddy())
        plain.remove(QLatin1Char('&'));
    shown_ = Elided(fontMetrics(), plain, room.width());
    ShowWholeInToolTip(this, plain, shown_);
    QPainter painter(this);
    style()->drawItemText(&painter, room, static_cast<int>(alignment()) | Qt::TextSingleLine,
                          palette(), isEnabled(), shown_, foregroundRole());
}

// Text box --------------------------------------------------------------------------------------

void ElidedLineEdit::paintEvent(QPaintEvent* event) {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()
                               ->subElementRect(QStyle::SE_LineEditContents, &option, this)
                               .marginsRemoved(textMargins())
                               .adjusted(kLineEditMarginX, 0, -kLineEditMarginX, 0);
    const QString all = displayText();
    const bool fits = fontMetrics().horizontalAdvance(all) <= contents.width();
    // While the text scrolls with the caret, part of it is out of sight as when elided.
    ShowWholeInToolTip(this, all, fits ? all : QString());
    if (hasFocus() || fits) {
        shown_ = all;
        QLineEdit::paintEvent(event);
        return;
    }
    shown_ = Elided(fontMetrics(), all, contents.width());
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    painter.drawText(contents, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown_);
}

void ElidedLineEdit::focusInEvent(QFocusEvent* event) {
    // Unfocused, an elided text is drawn from its first character; a click that gives the
    // focus must find the characters where they were drawn, not where the text last scrolled
    // to, or the text jumps under the pointer.
    if (event->reason() == Qt::MouseFocusReason && !shown_.isEmpty() && shown_ != displayText()) {
        {
            const QSignalBlocker blocker(this);
            setCursorPosition(0);
        }
        QLineEdit::focusInEvent(event);
        repaint();
        return;
    }
    QLineEdit::focusInEvent(event);
}

// Combo box -------------------------------------------------------------------------------------

ModelComboBox::ModelComboBox(QWidget* parent) : QComboBox(parent) {
    // The wheel must not give the focus, or it could change the box it passes over.
    setFocusPolicy(Qt::StrongFocus);
    view()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

int ModelComboBox::longestEntryWidth() const {
    if (longest_ < 0)
        longest_ = measureEntries();
    return longest_;
}

int ModelComboBox::measureEntries() const {
    const QFontMetrics metrics = view()->fontMetrics();
    const int rows = count();
    if (rows == 0)
        return 0;
    // A range of numbers: the widest is among the last ones and the first (a minus sign).
    if (rows > 50 && IsNumber(itemText(0)) && IsNumber(itemText(rows - 1))) {
        int widest = metrics.horizontalAdvance(itemText(0));
        for (int r = std::max(0, rows - 10); r < rows; ++r)
            widest = std::max(widest, metrics.horizontalAdvance(itemText(r)));
        // Any other number of as many digits may be wider: measure the widest digit.
        int digit = 0;
        for (char c = '0'; c <= '9'; ++c)
            digit = std::max(digit, metrics.horizontalAdvance(QLatin1Char(c)));
        return std::max(widest, digit * static_cast<int>(itemText(rows - 1).size()));
    }
    int widest = 0;
    for (int r = 0; r < rows; ++r)
        widest = std::max(widest, metrics.horizontalAdvance(itemText(r)));
    return widest;
}

int ModelComboBox::widthForLongestEntry() const {
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const int chrome = width() - field.width();
    const int margins = isEditable() ? 2 * kLineEditMarginX + 1 : 2;
    return longestEntryWidth() + chrome + margins;
}

void ModelComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (!isEditable()) {
        const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                    QStyle::SC_ComboBoxEditField, this);
        // The style draws the label one pixel in from each side of the field.
        shown_ = Elided(fontMetrics(), option.currentText, field.width() - 2);
        ShowWholeInToolTip(this, option.currentText, shown_);
        option.currentText = shown_;
        painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    } else {
        shown_ = currentText();
        ShowWholeInToolTip(this, shown_, shown_);
    }
}

void ModelComboBox::wheelEvent(QWheelEvent* event) {
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

void ModelComboBox::showPopup() {
    const int scrollbar = count() > maxVisibleItems()
                              ? style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view())
                              : 0;
    const int frame = 2 * view()->frameWidth() + 8;  // the frame and the entries' own margins
    const int wanted = std::max(width(), longestEntryWidth() + scrollbar + frame);
    view()->window()->setMinimumWidth(wanted);
    QComboBox::showPopup();
}

// Frame -----------------------------------------------------------------------------------------

void TitledFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The title is bold, as dialogs of this layout draw a frame's title.
    QFont titleFont = font();
    titleFont.setBold(true);
    painter.setFont(titleFont);
    const QFontMetrics metrics(titleFont);
    // The border runs through the middle of the title's line; an etched line, dark over light.
    const QRect border = rect().adjusted(0, metrics.height() / 2, -2, -2);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(border);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(border.translated(1, 1));
    if (title().isEmpty())
        return;
    constexpr int kIndent = 6, kPadding = 2;
    const QString shown = Elided(metrics, title(), width() - 2 * (kIndent + kPadding));
    const QRect caption(kIndent, 0, metrics.horizontalAdvance(shown) + 2 * kPadding,
                        metrics.height());
    painter.fillRect(caption, palette().color(QPalette::Window));
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter | Qt::TextSingleLine, shown);
}

// Report list -----------------------------------------------------------------------------------

void ReportList::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    QTreeWidget::drawRow(painter, option, index);
    if (!hasFocus() || index.row() != currentIndex().row())
        return;
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = option.rect.adjusted(0, 0, -1, -1);
    focus.backgroundColor = palette().color(QPalette::Base);
    painter->save();
    painter->setPen(QPen(palette().color(QPalette::Text), 1, Qt::DotLine));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(focus.rect);
    painter->restore();
}

void ReportList::focusInEvent(QFocusEvent* event) {
    if (currentItem() == nullptr && topLevelItemCount() > 0) {
        const auto selected = selectedItems();
        setCurrentItem(selected.isEmpty() ? topLevelItem(0) : selected.front(), 0,
                       QItemSelectionModel::NoUpdate);
    }
    QTreeWidget::focusInEvent(event);
    viewport()->update();
}

// Icons -----------------------------------------------------------------------------------------

namespace {

class NavigationIconEngine final : public QIconEngine {
  public:
    explicit NavigationIconEngine(QString symbol) : symbol_(std::move(symbol)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        // Drawn on a 12 x 10 grid, scaled to the rectangle asked for, kept in proportion.
        const qreal scale = std::min(rect.width() / 12.0, rect.height() / 10.0);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.x() + (rect.width() - 12 * scale) / 2,
                           rect.y() + (rect.height() - 10 * scale) / 2);
        painter->scale(scale, scale);
        painter->setPen(Qt::NoPen);
        painter->setBrush(mode == QIcon::Disabled ? QColor(0x80, 0x80, 0x80) : QColor(Qt::black));
        QPainterPath path;
        const auto triangle = [&](qreal tip, qreal base) {
            path.moveTo(base, 0);
            path.lineTo(base, 10);
            path.lineTo(tip, 5);
            path.closeSubpath();
        };
        if (symbol_ == QLatin1String("first")) {
            path.addRect(1, 0, 2, 10);
            triangle(3, 9);
        } else if (symbol_ == QLatin1String("previous")) {
            triangle(3, 8);
        } else if (symbol_ == QLatin1String("next")) {
            triangle(9, 4);
        } else if (symbol_ == QLatin1String("last")) {
            triangle(9, 3);
            path.addRect(9, 0, 2, 10);
        }
        painter->drawPath(path);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        QPixmap pixmap(size * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QIconEngine* clone() const override { return new NavigationIconEngine(symbol_); }

  private:
    QString symbol_;
};

}  // namespace

QIcon NavigationIcon(const QString& symbol) {
    return QIcon(new NavigationIconEngine(symbol));
}

}  // namespace xfer::desktop
