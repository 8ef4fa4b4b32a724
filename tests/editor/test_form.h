#pragma once
// A small form for the control-model tests: one control of each kind the actions reach, the
// usable ones inside a frame.

#include <functional>

#include "editor/controls/combo_box.h"
#include "editor/controls/form_base.h"
#include "editor/controls/list_view.h"
#include "editor/controls/simple_controls.h"
#include "editor/controls/text_box.h"
#include "runtime/error.h"

namespace xfer::editor::test {

class TestForm final : public FormBase {
  public:
    TestForm() : FormBase("Test", 4890, 5835) {
        for (Control* c :
             std::initializer_list<Control*>{&fra, &txt, &cmbList, &cmbEdit, &cmd, &lv}) {
            registerControl(*c);
            if (c != &fra) {
                c->setContainer(&fra);
            }
        }
        lv.setHeight(ListView::kHeaderHeight + 3 * ListView::kRowHeight);
        for (const char* entry : {"Alpha", "Beta", "Gamma"}) {
            cmbList.AddItem(entry);
            cmbEdit.AddItem(entry);
        }
    }
    void Load() { setLoaded(true); }
    void closeBox() override {
        clearFocus();
        setLoaded(false);
    }

    Frame fra{"fraTest"};
    TextBox txt{"txtTest"};
    ComboBox cmbList{"cmbList", ComboStyle::DropDownList};
    ComboBox cmbEdit{"cmbEdit", ComboStyle::DropDownCombo};
    CommandButton cmd{"cmdTest"};
    ListView lv{"LVTest"};
};

// The runtime error number that `f` raises, 0 when it raises none.
inline long ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const runtime::Error& e) {
        return e.number();
    }
    return 0;
}

}  // namespace xfer::editor::test
