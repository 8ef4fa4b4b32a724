// Combo boxes (the style, the node selector and the exception pickers) and list boxes: lists
// of entries that the form's model generates, read only as far as a view shows them.

#include <QListView>
#include <optional>

#include "desktop/binders.h"
#include "desktop/dialog_combo_style.h"
#include "desktop/entries_model.h"
#include "desktop/line_edit_link.h"
#include "desktop/paste_cleaning.h"
#include "desktop/widgets.h"
#include "editor/controls/combo_box.h"
#include "editor/controls/simple_controls.h"
#include "editor/controls/user_actions.h"

namespace xfer::desktop {

namespace {

class ComboBinder final : public ControlBinder {
  public:
    ComboBinder(editor::ComboBox& model, BinderContext& context, QWidget* parent)
        : ControlBinder(model, context, new ModelComboBox(parent)),
          model_(model),
          combo_(static_cast<ModelComboBox*>(widget_)) {
        combo_->setEditable(model.Style() == editor::ComboStyle::DropDownCombo);
        if (combo_->isEditable())
            combo_->setCompleter(nullptr);
        combo_->setInsertPolicy(QComboBox::NoInsert);
        combo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo_->setStyle(context.comboStyle());
        entries_ = new EntriesModel([&model] { return model.ListCount(); },
                                    [&model](long i) { return model.List(i); }, combo_);
        combo_->setModel(entries_);
        if (auto* view = qobject_cast<QListView*>(combo_->view()))
            view->setUniformItemSizes(true);
        if (combo_->lineEdit() != nullptr) {
            link_.emplace(
                TextModel{.text = [&model]() -> const std::string& { return model.Text(); },
                          .selStart = [&model] { return model.SelStart(); },
                          .selLength = [&model] { return model.SelLength(); },
                          .edit =
                              [&model, &context](std::string text, int caret) {
                                  context.user().edit(model, std::move(text), caret);
                              },
                          .select =
                              [&model, &context](int start, int length) {
                                  context.user().select(model, start, length);
                              }},
                context, combo_->lineEdit(), combo_);
            CleanPastes(combo_->lineEdit(), [] { return 0; });
        }
        combo_->setItemDelegate(new ComboRowDelegate(combo_));
    }

    void connectInput() override {
        QObject::connect(combo_, &QComboBox::activated, combo_, [this](int index) {
            context_.act([&] { context_.user().choose(model_, index); });
        });
        if (link_) {
            context_.watchFocus(model_, combo_->lineEdit());
            link_->connectInput();
        }
    }

    void refreshText() override {
        if (combo_->isEditable() && combo_->currentText() != QText(model_.Text())) {
            Quietly(combo_, [&](QComboBox* c) { c->setEditText(QText(model_.Text())); });
            link_->showSelection();
        }
    }

    void refreshEntries() override {
        Quietly(combo_, [&](QComboBox*) { entries_->reload(); });
        combo_->entriesChanged();
        context_.fitWidth(model_);
        refreshSelection(editor::Prop::ListIndex);
        refreshText();
    }

    void refreshSelection(editor::Prop what) override {
        const bool all = what == editor::Prop::All;
        if (all || what == editor::Prop::ListIndex) {
            const int index =
                model_.ListIndex() < combo_->count() ? static_cast<int>(model_.ListIndex()) : -1;
            if (combo_->currentIndex() != index)
                Quietly(combo_, [&](QComboBox* c) { c->setCurrentIndex(index); });
            refreshText();
        }
        if ((all || what == editor::Prop::Selection) && link_)
            link_->showSelection();
    }

    int neededWidth() const override { return combo_->widthForLongestEntry(); }

  private:
    editor::ComboBox& model_;
    ModelComboBox* combo_;
    EntriesModel* entries_;
    std::optional<LineEditLink> link_;
};

class ListBoxBinder final : public ControlBinder {
  public:
    ListBoxBinder(editor::ListBox& model, BinderContext& context, QWidget* parent)
        : ControlBinder(model, context, new QListView(parent)) {
        auto* list = static_cast<QListView*>(widget_);
        list->setUniformItemSizes(true);
        entries_ = new EntriesModel([&model] { return model.ListCount(); },
                                    [&model](long i) { return model.List(i); }, list);
        list->setModel(entries_);
    }

    void refreshEntries() override { entries_->reload(); }

  private:
    EntriesModel* entries_;
};

}  // namespace

std::unique_ptr<ControlBinder> MakeComboBinder(editor::Control& control, BinderContext& context,
                                               QWidget* parent) {
    return std::make_unique<ComboBinder>(static_cast<editor::ComboBox&>(control), context, parent);
}

std::unique_ptr<ControlBinder> MakeListBoxBinder(editor::Control& control, BinderContext& context,
                                                 QWidget* parent) {
    return std::make_unique<ListBoxBinder>(static_cast<editor::ListBox&>(control), context, parent);
}

}  // namespace xfer::desktop
