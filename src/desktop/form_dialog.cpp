#include "desktop/form_dialog.h"

#include <QAbstractListModel>
#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <functional>

#include "editor/controls/combo_box.h"
#include "editor/controls/form_base.h"
#include "editor/controls/list_view.h"
#include "editor/controls/simple_controls.h"
#include "editor/controls/text_box.h"
#include "runtime/error.h"
#include "runtime/utf8.h"

namespace xfer::desktop {

using editor::ControlKind;
using editor::Prop;

int Pixels(int twips) {
    constexpr int kTwipsPerPixel = 15;
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// The entries of a combo or list box, read from the model when the view asks for them: a
// generated range of 32767 numbers costs nothing until rows are drawn.
class EntriesModel final : public QAbstractListModel {
  public:
    EntriesModel(std::function<long()> count, std::function<std::string(long)> text,
                 QObject* parent)
        : QAbstractListModel(parent), count_(std::move(count)), text_(std::move(text)) {}

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows_; }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rows_ ||
            (role != Qt::DisplayRole && role != Qt::EditRole)) {
            return {};
        }
        return Q(text_(index.row()));
    }
    void reload() {
        beginResetModel();
        rows_ = static_cast<int>(count_());
        endResetModel();
    }

  private:
    std::function<long()> count_;
    std::function<std::string(long)> text_;
    int rows_ = 0;
};

// A menu-like popup measures every entry to size itself; a list dropped below the box, as the
// classic combo has it, measures none.
class ListBelowComboStyle final : public QProxyStyle {
  public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

// Rows and header as high as the model says, so that the pickers the model lays over a row at
// its own coordinates land on that row.
class ModelRowDelegate final : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(Pixels(editor::ListView::kRowHeight));
        return size;
    }
};

class ModelHeader final : public QHeaderView {
  public:
    explicit ModelHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}
    QSize sizeHint() const override {
        QSize size = QHeaderView::sizeHint();
        size.setHeight(Pixels(editor::ListView::kHeaderHeight));
        return size;
    }
};

QIcon NavigationIcon(const std::string& symbol) {
    QPixmap pixmap(12, 10);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    const auto left = [&](int tip, int base) {
        painter.drawPolygon(QPolygon({QPoint(base, 0), QPoint(base, 10), QPoint(tip, 5)}));
    };
    if (symbol == "first") {
        painter.drawRect(1, 0, 2, 10);
        left(3, 9);
    } else if (symbol == "previous") {
        left(3, 8);
    } else if (symbol == "next") {
        left(9, 4);
    } else if (symbol == "last") {
        left(9, 3);
        painter.drawRect(9, 0, 2, 10);
    }
    return QIcon(pixmap);
}

QFont FontOf(const editor::Control& control) {
    QFont font = QApplication::font();
    const QString family = Q(control.FontName());
    if (QFontDatabase::hasFamily(family))
        font.setFamily(family);
    font.setPointSizeF(control.FontSize());
    font.setBold(control.FontBold());
    return font;
}

// Sets a widget's property without its signals reaching the view model.
template <typename Widget, typename Apply>
void Quietly(Widget* widget, Apply&& apply) {
    const QSignalBlocker blocker(widget);
    apply(widget);
}

}  // namespace

// Construction ----------------------------------------------------------------------------------

FormDialog::FormDialog(editor::FormBase& form, QWidget* parent)
    : QDialog(parent), form_(form), user_(form) {
    setWindowTitle(Q(form.Caption()));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    comboStyle_ = new ListBelowComboStyle;
    comboStyle_->setParent(this);

    for (editor::Control* control : form.controls()) {
        if (QWidget* widget = create(*control)) {
            widget->setObjectName(Q(control->Name()));
            widgets_[control] = widget;
        }
    }
    // Parents in tab order: containers come before what they contain, and a control laid
    // over another (the pickers over the list) comes after it, so it is drawn on top.
    QWidget* previous = nullptr;
    for (editor::Control* control : form.controls()) {
        QWidget* widget = widgetOf(*control);
        if (widget == nullptr)
            continue;
        QWidget* parentWidget = control->Container() ? widgetOf(*control->Container()) : this;
        widget->setParent(parentWidget ? parentWidget : this);
        connectInput(*control, widget);
        if (widget->focusPolicy() != Qt::NoFocus) {
            if (previous != nullptr)
                setTabOrder(previous, widget);
            previous = widget;
        }
        control->setObserver([this](editor::Control& c, Prop what) {
            // Rebuilding the list's rows while Qt is still delivering the click that changed
            // them would pull the clicked row away; finish the action first.
            if (acting_ > 0 && what == Prop::Entries && c.Kind() == ControlKind::ListView) {
                pendingLists_.insert(&c);
                return;
            }
            refresh(c, what);
        });
    }
    for (editor::Control* control : form.controls())
        refresh(*control, Prop::All);
    form.FormChanged = [this] { resizeToForm(); };
    resizeToForm();
}

FormDialog::~FormDialog() {
    closing_ = true;
    for (editor::Control* control : form_.controls())
        control->setObserver(nullptr);
    form_.FormChanged = nullptr;
}

QWidget* FormDialog::widgetOf(const editor::Control& control) const {
    const auto it = widgets_.find(&control);
    return it == widgets_.end() ? nullptr : it->second;
}

void FormDialog::resizeToForm() {
    setFixedSize(Pixels(form_.ClientWidth()), Pixels(form_.ClientHeight()));
}

QWidget* FormDialog::create(editor::Control& control) {
    switch (control.Kind()) {
        case ControlKind::TextBox:
            return new QLineEdit(this);
        case ControlKind::ComboBox: {
            auto& model = static_cast<editor::ComboBox&>(control);
            auto* combo = new QComboBox(this);
            combo->setEditable(model.Style() == editor::ComboStyle::DropDownCombo);
            if (combo->isEditable())
                combo->setCompleter(nullptr);
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            combo->setStyle(comboStyle_);
            combo->setModel(new EntriesModel([&model] { return model.ListCount(); },
                                             [&model](long i) { return model.List(i); }, combo));
            if (auto* view = qobject_cast<QListView*>(combo->view())) {
                view->setUniformItemSizes(true);
            }
            return combo;
        }
        case ControlKind::ListBox: {
            auto& model = static_cast<editor::ListBox&>(control);
            auto* list = new QListView(this);
            list->setUniformItemSizes(true);
            list->setModel(new EntriesModel([&model] { return model.ListCount(); },
                                            [&model](long i) { return model.List(i); }, list));
            return list;
        }
        case ControlKind::CommandButton: {
            auto& model = static_cast<editor::CommandButton&>(control);
            auto* button = new QPushButton(this);
            if (!model.Symbol().empty())
                button->setIcon(NavigationIcon(model.Symbol()));
            button->setDefault(model.Default());
            return button;
        }
        case ControlKind::Label: {
            auto* label = new QLabel(this);
            label->setTextFormat(Qt::PlainText);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return label;
        }
        case ControlKind::Frame:
            if (static_cast<editor::Frame&>(control).Border())
                return new QGroupBox(this);
            return new QWidget(this);
        case ControlKind::StatusBar: {
            auto* bar = new QStatusBar(this);
            bar->setSizeGripEnabled(false);
            return bar;
        }
        case ControlKind::ListView: {
            auto* tree = new QTreeWidget(this);
            tree->setHeader(new ModelHeader(tree));
            tree->header()->setSectionsClickable(true);
            tree->header()->setStretchLastSection(false);
            tree->setItemDelegate(new ModelRowDelegate(tree));
            tree->setUniformRowHeights(true);
            tree->setRootIsDecorated(false);
            tree->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
            // Selection is the model's: the view shows it and never changes it by itself.
            tree->setSelectionMode(QAbstractItemView::NoSelection);
            tree->setSelectionBehavior(QAbstractItemView::SelectRows);
            tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
            tree->setFrameShape(QFrame::Box);
            tree->setLineWidth(1);
            return tree;
        }
        case ControlKind::ImageList:
            return nullptr;
    }
    return nullptr;
}

// User input ------------------------------------------------------------------------------------

void FormDialog::connectInput(editor::Control& control, QWidget* widget) {
    watchFocus(control, widget);
    switch (control.Kind()) {
        case ControlKind::TextBox:
            connect(static_cast<QLineEdit*>(widget), &QLineEdit::textEdited, this,
                    [this, &control](const QString& text) { typed(control, text); });
            break;
        case ControlKind::ComboBox: {
            auto& model = static_cast<editor::ComboBox&>(control);
            auto* combo = static_cast<QComboBox*>(widget);
            connect(combo, &QComboBox::activated, this,
                    [this, &model](int index) { act([&] { user_.choose(model, index); }); });
            if (combo->lineEdit() != nullptr) {
                watchFocus(control, combo->lineEdit());
                connect(combo->lineEdit(), &QLineEdit::textEdited, this,
                        [this, &control](const QString& text) { typed(control, text); });
            }
            break;
        }
        case ControlKind::CommandButton: {
            auto& model = static_cast<editor::CommandButton&>(control);
            connect(static_cast<QPushButton*>(widget), &QPushButton::clicked, this,
                    [this, &model] { act([&] { user_.click(model); }); });
            break;
        }
        case ControlKind::ListView: {
            auto& model = static_cast<editor::ListView&>(control);
            auto* tree = static_cast<QTreeWidget*>(widget);
            connect(tree, &QTreeWidget::itemClicked, this,
                    [this, &model, tree](QTreeWidgetItem* item) {
                        const long row = tree->indexOfTopLevelItem(item) + 1;
                        act([&] { user_.clickRow(model, row); });
                    });
            connect(tree->header(), &QHeaderView::sectionPressed, this, [this, &model](int column) {
                act([&] { user_.pressHeader(model, column + 1); });
            });
            connect(tree->verticalScrollBar(), &QScrollBar::valueChanged, this,
                    [this, &model](int top) {
                        act([&] { user_.scroll(model, top - static_cast<int>(model.TopIndex())); });
                    });
            break;
        }
        default:
            break;
    }
}

void FormDialog::watchFocus(editor::Control& control, QWidget* widget) {
    focusTargets_[widget] = &control;
    widget->installEventFilter(this);
}

bool FormDialog::eventFilter(QObject* watched, QEvent* event) {
    if (closing_)
        return false;
    const auto it = focusTargets_.find(watched);
    if (it == focusTargets_.end())
        return QDialog::eventFilter(watched, event);
    editor::Control& control = *it->second;
    if (event->type() == QEvent::FocusIn && syncing_ == 0) {
        // Only a user's mouse or key moves the model's focus; focus that Qt moves by itself
        // (a window activated, a popup closed) or that we set from the model does not.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
            reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason) {
            act([&] { user_.focus(control); });
        }
    } else if (event->type() == QEvent::KeyPress && control.Kind() == ControlKind::ListView) {
        // Arrow keys move the row selection as a click on the neighbouring row does.
        auto& list = static_cast<editor::ListView&>(control);
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            const long current = list.SelectedItem() ? list.SelectedItem()->Index() : 0;
            const long row = current + (key == Qt::Key_Up ? -1 : 1);
            if (row >= 1 && row <= list.ItemCount())
                act([&] { user_.clickRow(list, row); });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FormDialog::typed(editor::Control& control, const QString& text) {
    auto* box =
        control.Kind() == ControlKind::TextBox ? static_cast<editor::TextBox*>(&control) : nullptr;
    auto* combo = box ? nullptr : static_cast<editor::ComboBox*>(&control);
    const std::string before = box ? box->Text() : combo->Text();
    const std::string after = text.toStdString();
    // What the user did, as keys: typed at the end, erased from the end, or anything else as
    // the whole new text typed over the old.
    std::string keys;
    bool replace = false;
    if (after.size() > before.size() && after.compare(0, before.size(), before) == 0) {
        keys = after.substr(before.size());
    } else if (after.size() < before.size() && before.compare(0, after.size(), after) == 0) {
        keys.assign(runtime::utf8::Length(before) - runtime::utf8::Length(after), '\b');
    } else {
        keys = after.empty() ? std::string("\b") : after;
        replace = true;
    }
    typingInto_ = &control;
    act([&] {
        box ? user_.type(*box, keys, replace) : user_.type(*combo, keys, replace);
        typingInto_ = nullptr;
    });
    typingInto_ = nullptr;
}

template <typename Action>
void FormDialog::act(Action&& action) {
    if (syncing_ > 0 || closing_)
        return;
    ++acting_;
    try {
        action();
    } catch (const runtime::Error& error) {
        // The handlers trap their own errors; this is a fault of the view's request itself.
        QMessageBox::warning(this, QStringLiteral("Error"), Q(error.description()));
    }
    --acting_;
    if (acting_ > 0)
        return;
    const auto lists = std::exchange(pendingLists_, {});
    for (editor::Control* list : lists)
        refresh(*list, Prop::Entries);
    refreshState();
    if (!form_.IsLoaded())
        QDialog::done(QDialog::Accepted);
}

void FormDialog::reject() {
    act([&] { user_.closeBox(); });
}

void FormDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        // Escape presses the form's cancel button, as the classic dialog does.
        for (editor::Control* control : form_.controls()) {
            auto* button = dynamic_cast<editor::CommandButton*>(control);
            if (button != nullptr && button->Cancel()) {
                act([&] { user_.click(*button); });
                break;
            }
        }
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// Model to widgets ------------------------------------------------------------------------------

void FormDialog::refreshState() {
    // After a user action, whatever the model refused or changed back must show again.
    for (editor::Control* control : form_.controls()) {
        for (Prop what : {Prop::Geometry, Prop::Enabled, Prop::Visible, Prop::Text, Prop::ListIndex,
                          Prop::Cells, Prop::Scroll, Prop::Focus}) {
            refresh(*control, what);
        }
    }
}

void FormDialog::refresh(editor::Control& control, Prop what) {
    QWidget* widget = widgetOf(control);
    if (widget == nullptr || closing_)
        return;
    ++syncing_;
    const bool all = what == Prop::All;
    if (all)
        widget->setFont(FontOf(control));
    if (all || what == Prop::Geometry) {
        const QRect rect(Pixels(control.Left()), Pixels(control.Top()), Pixels(control.Width()),
                         Pixels(control.Height()));
        if (widget->geometry() != rect)
            widget->setGeometry(rect);
    }
    if (all || what == Prop::Enabled)
        widget->setEnabled(control.Enabled());
    if ((all || what == Prop::Visible) &&
        widget->isVisibleTo(widget->parentWidget()) != control.Visible()) {
        widget->setVisible(control.Visible());
    }
    if (all || what == Prop::Entries)
        refreshEntries(control, widget);
    // The keys of one edit pass through intermediate texts; the widget already shows the
    // result, and rewriting it on the way would throw its caret to the end.
    if ((all || what == Prop::Text || what == Prop::Cells || what == Prop::Panels) &&
        typingInto_ != &control) {
        refreshText(control, widget);
    }
    if (all || what == Prop::ListIndex || what == Prop::Selection || what == Prop::Scroll) {
        refreshSelection(control, widget, what);
    }
    if (all || what == Prop::Focus)
        refreshFocus(control, widget);
    --syncing_;
}

void FormDialog::refreshText(editor::Control& control, QWidget* widget) {
    switch (control.Kind()) {
        case ControlKind::TextBox: {
            auto& model = static_cast<editor::TextBox&>(control);
            Quietly(static_cast<QLineEdit*>(widget), [&](QLineEdit* edit) {
                // The model enforces MaxLength on typing; the widget only must not cut code's text.
                edit->setMaxLength(32767);
                edit->setReadOnly(model.Locked());
                if (edit->text() != Q(model.Text()))
                    edit->setText(Q(model.Text()));
            });
            break;
        }
        case ControlKind::ComboBox: {
            auto& model = static_cast<editor::ComboBox&>(control);
            auto* combo = static_cast<QComboBox*>(widget);
            if (combo->isEditable() && combo->currentText() != Q(model.Text())) {
                Quietly(combo, [&](QComboBox* c) { c->setEditText(Q(model.Text())); });
            }
            break;
        }
        case ControlKind::CommandButton:
            static_cast<QPushButton*>(widget)->setText(
                Q(static_cast<editor::CommandButton&>(control).Caption()));
            break;
        case ControlKind::Label:
            static_cast<QLabel*>(widget)->setText(
                Q(static_cast<editor::Label&>(control).Caption()));
            break;
        case ControlKind::Frame:
            if (auto* box = qobject_cast<QGroupBox*>(widget)) {
                box->setTitle(Q(static_cast<editor::Frame&>(control).Caption()));
            }
            break;
        case ControlKind::StatusBar: {
            auto& model = static_cast<editor::StatusBar&>(control);
            auto* bar = static_cast<QStatusBar*>(widget);
            auto labels = bar->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
            for (long i = static_cast<long>(labels.size()); i < model.PanelCount(); ++i) {
                auto* label = new QLabel(bar);
                bar->addWidget(label);
                labels.push_back(label);
            }
            for (long i = 0; i < static_cast<long>(labels.size()); ++i) {
                QLabel* label = labels[static_cast<int>(i)];
                label->setVisible(i < model.PanelCount());
                if (i >= model.PanelCount())
                    continue;
                label->setText(Q(model.Panels(i + 1).Text));
                label->setMinimumWidth(Pixels(model.Panels(i + 1).Width));
            }
            break;
        }
        case ControlKind::ListView: {
            auto& model = static_cast<editor::ListView&>(control);
            auto* tree = static_cast<QTreeWidget*>(widget);
            const int columns =
                std::min(static_cast<int>(model.ColumnCount()), tree->columnCount());
            const int rows =
                std::min(static_cast<int>(model.ItemCount()), tree->topLevelItemCount());
            const QSignalBlocker blocker(tree);
            for (int r = 0; r < rows; ++r) {
                const editor::ListItem& row = model.Item(r + 1);
                QTreeWidgetItem* item = tree->topLevelItem(r);
                if (columns > 0 && item->text(0) != Q(row.Text()))
                    item->setText(0, Q(row.Text()));
                for (int c = 1; c < columns; ++c) {
                    const QString cell = Q(row.SubItems(c));
                    if (item->text(c) != cell)
                        item->setText(c, cell);
                }
            }
            break;
        }
        default:
            break;
    }
}

void FormDialog::refreshEntries(editor::Control& control, QWidget* widget) {
    switch (control.Kind()) {
        case ControlKind::ComboBox: {
            auto* combo = static_cast<QComboBox*>(widget);
            Quietly(combo, [](QComboBox* c) { static_cast<EntriesModel*>(c->model())->reload(); });
            refreshSelection(control, widget, Prop::ListIndex);
            refreshText(control, widget);
            break;
        }
        case ControlKind::ListBox: {
            auto* list = static_cast<QListView*>(widget);
            static_cast<EntriesModel*>(list->model())->reload();
            break;
        }
        case ControlKind::ListView: {
            auto& model = static_cast<editor::ListView&>(control);
            auto* tree = static_cast<QTreeWidget*>(widget);
            const QSignalBlocker blocker(tree);
            const int columns = static_cast<int>(model.ColumnCount());
            if (columns > 0) {
                if (tree->columnCount() != columns)
                    tree->setColumnCount(columns);
                QStringList headers;
                for (int c = 0; c < columns; ++c)
                    headers << Q(model.Column(c + 1).Text);
                tree->setHeaderLabels(headers);
                for (int c = 0; c < columns; ++c) {
                    const int width = Pixels(model.Column(c + 1).Width);
                    tree->setColumnHidden(c, width == 0);
                    if (width > 0)
                        tree->setColumnWidth(c, width);
                }
            }
            bool sameRows = tree->topLevelItemCount() == model.ItemCount();
            for (int r = 0; sameRows && r < tree->topLevelItemCount(); ++r) {
                sameRows = tree->topLevelItem(r)->data(0, Qt::UserRole).toString() ==
                           Q(model.Item(r + 1).Key());
            }
            if (!sameRows) {
                tree->clear();
                for (long r = 1; r <= model.ItemCount(); ++r) {
                    auto* item = new QTreeWidgetItem(tree);
                    item->setData(0, Qt::UserRole, Q(model.Item(r).Key()));
                }
            }
            refreshText(control, widget);
            refreshSelection(control, widget, Prop::ListIndex);
            refreshSelection(control, widget, Prop::Scroll);
            break;
        }
        default:
            break;
    }
}

void FormDialog::refreshSelection(editor::Control& control, QWidget* widget, Prop what) {
    const bool all = what == Prop::All;
    switch (control.Kind()) {
        case ControlKind::TextBox: {
            // While the user types here the widget's own caret is the right one.
            if (!(all || what == Prop::Selection) || typingInto_ == &control)
                break;
            auto& model = static_cast<editor::TextBox&>(control);
            Quietly(static_cast<QLineEdit*>(widget), [&](QLineEdit* edit) {
                if (model.SelLength() > 0) {
                    edit->setSelection(model.SelStart(), model.SelLength());
                } else {
                    edit->setCursorPosition(model.SelStart());
                }
            });
            break;
        }
        case ControlKind::ComboBox: {
            auto& model = static_cast<editor::ComboBox&>(control);
            auto* combo = static_cast<QComboBox*>(widget);
            if (all || what == Prop::ListIndex) {
                const int index =
                    model.ListIndex() < combo->count() ? static_cast<int>(model.ListIndex()) : -1;
                if (combo->currentIndex() != index) {
                    Quietly(combo, [&](QComboBox* c) { c->setCurrentIndex(index); });
                }
                refreshText(control, widget);
            }
            if ((all || what == Prop::Selection) && combo->lineEdit() && typingInto_ != &control) {
                Quietly(combo->lineEdit(), [&](QLineEdit* edit) {
                    if (model.SelLength() > 0) {
                        edit->setSelection(model.SelStart(), model.SelLength());
                    } else {
                        edit->setCursorPosition(model.SelStart());
                    }
                });
            }
            break;
        }
        case ControlKind::ListView: {
            auto& model = static_cast<editor::ListView&>(control);
            auto* tree = static_cast<QTreeWidget*>(widget);
            const QSignalBlocker blocker(tree);
            if (all || what == Prop::ListIndex) {
                const int rows =
                    std::min(static_cast<int>(model.ItemCount()), tree->topLevelItemCount());
                for (int r = 0; r < rows; ++r) {
                    QTreeWidgetItem* item = tree->topLevelItem(r);
                    const bool selected = model.Item(r + 1).Selected();
                    if (item->isSelected() != selected)
                        item->setSelected(selected);
                }
                const editor::ListItem* current = model.SelectedItem();
                if (current != nullptr && current->Index() <= rows) {
                    tree->setCurrentItem(tree->topLevelItem(static_cast<int>(current->Index() - 1)),
                                         0, QItemSelectionModel::NoUpdate);
                }
            }
            if (all || what == Prop::Scroll) {
                QScrollBar* bar = tree->verticalScrollBar();
                if (bar->value() != model.TopIndex())
                    bar->setValue(static_cast<int>(model.TopIndex()));
            }
            break;
        }
        default:
            break;
    }
}

void FormDialog::refreshFocus(editor::Control& control, QWidget* widget) {
    if (control.HasFocus() && !widget->hasFocus())
        widget->setFocus(Qt::OtherFocusReason);
}

}  // namespace xfer::desktop
