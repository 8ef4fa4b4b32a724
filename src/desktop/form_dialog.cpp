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

#include "desktop/text_positions.h"
#include "desktop/widgets.h"
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

// The combo boxes of a dialog of this size: a list dropped below the box (a menu-like popup
// would measure every entry to size itself), a slim frame and a slim arrow button, so that
// the box's value gets the room the layout gives the box ("STYLE 999" in 1065 twips).
class DialogComboStyle final : public QProxyStyle {
  public:
    static constexpr int kFrame = 2;
    static constexpr int kArrow = 13;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override {
        if (control == CC_ComboBox) {
            const QRect box = option->rect.adjusted(kFrame, kFrame, -kFrame, -kFrame);
            if (part == SC_ComboBoxArrow) {
                return visualRect(option->direction, option->rect,
                                  QRect(box.right() - kArrow + 1, box.top(), kArrow, box.height()));
            }
            if (part == SC_ComboBoxEditField) {
                return visualRect(option->direction, option->rect, box.adjusted(0, 0, -kArrow, 0));
            }
        }
        return QProxyStyle::subControlRect(control, option, part, widget);
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

// Keyboard access the rules leave free: a mnemonic on a caption the rules never compare, shown
// only while the caption is the designed one. "Edit"/"Edit Off" are compared: they get none.
struct Mnemonic {
    const char* control;
    const char* caption;
    const char* shown;
    const char* buddy;  // for a label: the control its mnemonic focuses
};
constexpr Mnemonic kMnemonics[] = {{"lblLabel", "Label:", "&Label:", "txtDescription"},
                                   {"lblDial", "Dial:", "&Dial:", "txtDial"},
                                   {"lblXStyle", "Style:", "&Style:", "cmbXStyle"},
                                   {"cmdApply", "Apply", "&Apply", nullptr},
                                   {"cmdExceptionsDefault", "Default", "Defa&ult", nullptr}};

const Mnemonic* MnemonicOf(const editor::Control& control) {
    for (const Mnemonic& m : kMnemonics) {
        if (control.Name() == m.control)
            return &m;
    }
    return nullptr;
}

// A caption as a widget that reads '&' as a mnemonic marker shows it.
QString Caption(const editor::Control& control, const std::string& caption) {
    const Mnemonic* mnemonic = MnemonicOf(control);
    if (mnemonic != nullptr && caption == mnemonic->caption)
        return QString::fromLatin1(mnemonic->shown);
    QString shown = Q(caption);
    if (mnemonic != nullptr)
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return shown;
}

// A text box's or an editable combo's text, caret and selection, in characters.
struct TextState {
    std::string text;
    int start = 0, length = 0;
};

TextState ModelTextOf(const editor::Control& control) {
    if (control.kind() == ControlKind::TextBox) {
        const auto& box = static_cast<const editor::TextBox&>(control);
        return {box.Text(), box.SelStart(), box.SelLength()};
    }
    const auto& combo = static_cast<const editor::ComboBox&>(control);
    return {combo.Text(), combo.SelStart(), combo.SelLength()};
}

// The widget's caret and selection in characters: where the selection begins, and its length.
std::pair<int, int> WidgetSelection(const QLineEdit* edit) {
    const QString text = edit->text();
    if (!edit->hasSelectedText())
        return {CharactersBefore(text, edit->cursorPosition()), 0};
    const int from = edit->selectionStart();
    const int to = edit->selectionEnd();
    const int start = CharactersBefore(text, from);
    return {start, CharactersBefore(text, to) - start};
}

// Shows the model's caret and selection in the widget, unless it shows them already (a
// selection made backwards keeps its direction).
void ShowSelection(QLineEdit* edit, const TextState& model) {
    if (WidgetSelection(edit) == std::make_pair(model.start, model.length))
        return;
    const QString text = edit->text();
    const int from = UnitsBefore(text, model.start);
    Quietly(edit, [&](QLineEdit* e) {
        if (model.length > 0) {
            e->setSelection(from, UnitsBefore(text, model.start + model.length) - from);
        } else {
            e->setCursorPosition(from);
        }
    });
}

}  // namespace

// Construction ----------------------------------------------------------------------------------

FormDialog::FormDialog(editor::FormBase& form, QWidget* parent)
    : QDialog(parent), form_(form), user_(form) {
    setWindowTitle(Q(form.Caption()));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    comboStyle_ = new DialogComboStyle;
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
            if (acting_ > 0 && what == Prop::Entries && c.kind() == ControlKind::ListView) {
                pendingLists_.insert(&c);
                return;
            }
            refresh(c, what);
        });
    }
    for (const Mnemonic& mnemonic : kMnemonics) {
        editor::Control* control = form.findControl(mnemonic.control);
        editor::Control* buddy = mnemonic.buddy ? form.findControl(mnemonic.buddy) : nullptr;
        auto* label = control ? qobject_cast<QLabel*>(widgetOf(*control)) : nullptr;
        if (label != nullptr && buddy != nullptr)
            label->setBuddy(widgetOf(*buddy));
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
    switch (control.kind()) {
        case ControlKind::TextBox:
            return new ElidedLineEdit(this);
        case ControlKind::ComboBox: {
            auto& model = static_cast<editor::ComboBox&>(control);
            auto* combo = new ModelComboBox(this);
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
            if (!model.Symbol().empty()) {
                button->setIcon(NavigationIcon(Q(model.Symbol())));
                button->setIconSize(QSize(12, 10));
            }
            button->setDefault(model.Default());
            return button;
        }
        case ControlKind::Label: {
            auto* label = new ElidedLabel(this);
            label->setTextFormat(Qt::PlainText);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return label;
        }
        case ControlKind::Frame:
            if (static_cast<editor::Frame&>(control).Border())
                return new TitledFrame(this);
            return new QWidget(this);
        case ControlKind::StatusBar: {
            auto* bar = new QStatusBar(this);
            bar->setSizeGripEnabled(false);
            return bar;
        }
        case ControlKind::ListView: {
            auto* tree = new ReportList(this);
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
    switch (control.kind()) {
        case ControlKind::TextBox:
            connectText(control, static_cast<QLineEdit*>(widget));
            break;
        case ControlKind::ComboBox: {
            auto& model = static_cast<editor::ComboBox&>(control);
            auto* combo = static_cast<QComboBox*>(widget);
            connect(combo, &QComboBox::activated, this,
                    [this, &model](int index) { act([&] { user_.choose(model, index); }); });
            if (combo->lineEdit() != nullptr) {
                watchFocus(control, combo->lineEdit());
                connectText(control, combo->lineEdit());
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
    } else if (event->type() == QEvent::KeyPress && control.kind() == ControlKind::ListView) {
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

void FormDialog::connectText(editor::Control& control, QLineEdit* edit) {
    // Every edit (a key, a paste, a cut, a delete, an undo) reaches the model as one change of
    // the whole text; the caret and selection follow the user's keys and mouse.
    connect(edit, &QLineEdit::textEdited, this,
            [this, &control, edit](const QString& text) { edited(control, edit, text); });
    connect(edit, &QLineEdit::cursorPositionChanged, this,
            [this, &control, edit] { selected(control, edit); });
    connect(edit, &QLineEdit::selectionChanged, this,
            [this, &control, edit] { selected(control, edit); });
}

void FormDialog::edited(editor::Control& control, QLineEdit* edit, const QString& text) {
    const int caret = CharactersBefore(text, edit->cursorPosition());
    act([&] {
        if (control.kind() == ControlKind::TextBox) {
            user_.edit(static_cast<editor::TextBox&>(control), text.toStdString(), caret);
        } else {
            user_.edit(static_cast<editor::ComboBox&>(control), text.toStdString(), caret);
        }
    });
}

void FormDialog::selected(editor::Control& control, QLineEdit* edit) {
    // Only what the user does in the box with the focus: Qt also moves the caret when it
    // drops a selection on leaving, or while an edit is still on its way to the model.
    QWidget* focusOwner = control.kind() == ControlKind::TextBox ? edit : widgetOf(control);
    if (syncing_ > 0 || acting_ > 0 || closing_ || !focusOwner->hasFocus() ||
        edit->text() != Q(ModelTextOf(control).text)) {
        return;
    }
    const auto [start, length] = WidgetSelection(edit);
    ++syncing_;  // the model's selection notice must not come back to the widget
    if (control.kind() == ControlKind::TextBox) {
        user_.select(static_cast<editor::TextBox&>(control), start, length);
    } else {
        user_.select(static_cast<editor::ComboBox&>(control), start, length);
    }
    --syncing_;
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
    if (!form_.isLoaded())
        QDialog::done(QDialog::Accepted);
}

void FormDialog::reject() {
    act([&] { user_.closeBox(); });
}

void FormDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        // Escape presses the form's cancel button.
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
    if (all || what == Prop::Geometry || what == Prop::Visible)
        fitWidth(control, widget);
    if (all || what == Prop::Enabled)
        widget->setEnabled(control.Enabled());
    if ((all || what == Prop::Visible) &&
        widget->isVisibleTo(widget->parentWidget()) != control.Visible()) {
        widget->setVisible(control.Visible());
    }
    if (all || what == Prop::Entries)
        refreshEntries(control, widget);
    if (all || what == Prop::Text || what == Prop::Cells || what == Prop::Panels)
        refreshText(control, widget);
    if (all || what == Prop::ListIndex || what == Prop::Selection || what == Prop::Scroll) {
        refreshSelection(control, widget, what);
    }
    if (all || what == Prop::Focus)
        refreshFocus(control, widget);
    --syncing_;
}

void FormDialog::fitWidth(editor::Control& control, QWidget* widget) {
    QRect rect(Pixels(control.Left()), Pixels(control.Top()), Pixels(control.Width()),
               Pixels(control.Height()));
    int needed = 0;
    if (auto* label = dynamic_cast<ElidedLabel*>(widget)) {
        needed = label->textWidth() + 2 * (label->margin() + label->frameWidth());
    } else if (auto* combo = dynamic_cast<ModelComboBox*>(widget)) {
        needed = combo->widthForLongestEntry();
    }
    if (needed > rect.width())
        rect.setWidth(
            std::max(rect.width(), std::min(needed, freeRightEdge(control) - rect.left())));
    if (widget->geometry() != rect)
        widget->setGeometry(rect);
}

int FormDialog::freeRightEdge(const editor::Control& control) const {
    const int top = control.Top();
    const int bottom = control.Top() + control.Height();
    int edge = control.Container() ? control.Container()->Width() : form_.ClientWidth();
    for (const editor::Control* other : form_.controls()) {
        if (other == &control || other->Container() != control.Container() || !other->Visible() ||
            other->Top() >= bottom || other->Top() + other->Height() <= top) {
            continue;
        }
        const int otherRight = other->Left() + other->Width();
        if (other->kind() == ControlKind::ListView) {
            // The pickers lie over the list's rows by design: they may grow up to its edge.
            if (control.Left() >= other->Left() && control.Left() < otherRight)
                edge = std::min(edge, otherRight);
        } else if (other->Left() > control.Left()) {
            edge = std::min(edge, other->Left());
        }
    }
    return Pixels(edge);
}

void FormDialog::refreshText(editor::Control& control, QWidget* widget) {
    switch (control.kind()) {
        case ControlKind::TextBox: {
            auto& model = static_cast<editor::TextBox&>(control);
            auto* edit = static_cast<QLineEdit*>(widget);
            // Each property only when it differs: setting the text (or the length limit) would
            // reset the caret, the selection, the scroll position and the undo history.
            Quietly(edit, [&](QLineEdit* e) {
                if (e->isReadOnly() != model.Locked())
                    e->setReadOnly(model.Locked());
                if (e->text() != Q(model.Text())) {
                    e->setText(Q(model.Text()));
                    ShowSelection(e, ModelTextOf(control));
                }
            });
            break;
        }
        case ControlKind::ComboBox: {
            auto& model = static_cast<editor::ComboBox&>(control);
            auto* combo = static_cast<QComboBox*>(widget);
            if (combo->isEditable() && combo->currentText() != Q(model.Text())) {
                Quietly(combo, [&](QComboBox* c) { c->setEditText(Q(model.Text())); });
                ShowSelection(combo->lineEdit(), ModelTextOf(control));
            }
            break;
        }
        case ControlKind::CommandButton: {
            auto* button = static_cast<QPushButton*>(widget);
            const QString caption =
                Caption(control, static_cast<editor::CommandButton&>(control).Caption());
            if (button->text() != caption)
                button->setText(caption);
            break;
        }
        case ControlKind::Label: {
            auto* label = static_cast<QLabel*>(widget);
            const QString caption =
                Caption(control, static_cast<editor::Label&>(control).Caption());
            if (label->text() != caption) {
                label->setText(caption);
                fitWidth(control, widget);
            }
            break;
        }
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
    switch (control.kind()) {
        case ControlKind::ComboBox: {
            auto* combo = static_cast<QComboBox*>(widget);
            Quietly(combo, [](QComboBox* c) { static_cast<EntriesModel*>(c->model())->reload(); });
            static_cast<ModelComboBox*>(combo)->entriesChanged();
            fitWidth(control, widget);
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
    switch (control.kind()) {
        case ControlKind::TextBox: {
            if (all || what == Prop::Selection)
                ShowSelection(static_cast<QLineEdit*>(widget), ModelTextOf(control));
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
            if ((all || what == Prop::Selection) && combo->lineEdit())
                ShowSelection(combo->lineEdit(), ModelTextOf(control));
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
    if (!control.hasFocus() || widget->hasFocus())
        return;
    widget->setFocus(Qt::OtherFocusReason);
}

}  // namespace xfer::desktop
