// The control records and the handler slots, before any system window.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

#include "ui/controls/boton.h"
#include "ui/controls/calendar.h"
#include "ui/controls/check.h"
#include "ui/controls/combo.h"
#include "ui/controls/edit.h"
#include "ui/controls/eje.h"
#include "ui/controls/frame.h"
#include "ui/controls/icono.h"
#include "ui/controls/image.h"
#include "ui/controls/label.h"
#include "ui/controls/list.h"
#include "ui/controls/option.h"
#include "ui/controls/progress.h"
#include "ui/controls/status.h"
#include "ui/controls/tab.h"
#include "ui/controls/tool.h"
#include "ui/controls/tree.h"
#include "support/ui_fixture.h"

namespace {

const HWND kParent = reinterpret_cast<HWND>(0x1234);

struct RecordCase {
    const char* name;
    std::function<SmControl*()> make;
    int kind;
    const char* text;  // captioned kinds keep their caption
};

TEST(ControlRecordTest, ConstructionSetsKindIdParentAndCaptionOnly) {
    const RecordCase cases[] = {
        {"Boton", [] { return new Boton(7, kParent, "Acepto"); }, 1, "Acepto"},
        {"Check", [] { return new Check(7, kParent, "Marca"); }, 2, "Marca"},
        {"Option", [] { return new Option(7, kParent, "Opción"); }, 3, "Opción"},
        {"Frame", [] { return new Frame(7, kParent, "Grupo"); }, 4, "Grupo"},
        {"Progress", [] { return new Progress(7, kParent); }, 5, ""},
        {"Image", [] { return new Image(7, kParent); }, 6, ""},
        {"Icono", [] { return new Icono(7, kParent); }, 7, ""},
        {"Label", [] { return new Label(7, kParent, "Texto"); }, 8, "Texto"},
        {"Edit", [] { return new Edit(7, kParent); }, 9, ""},
        {"List", [] { return new List(7, kParent); }, 10, ""},
        {"Combo", [] { return new Combo(7, kParent); }, 11, ""},
        {"Calendar", [] { return new Calendar(7, kParent); }, 12, ""},
        {"Tab", [] { return new Tab(7, kParent); }, 13, ""},
        {"Tool", [] { return new Tool(7, kParent); }, 14, ""},
        {"Status", [] { return new Status(7, kParent); }, 15, ""},
        {"Tree", [] { return new Tree(7, kParent); }, 16, ""},
        {"Eje", [] { return new Eje(7, kParent); }, 17, ""},
    };
    for (const RecordCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<SmControl> control(c.make());
        EXPECT_EQ(control->kind, c.kind);
        EXPECT_EQ(control->id, 7);
        EXPECT_EQ(control->parentHandle, kParent);
        EXPECT_EQ(control->handle, nullptr);
        EXPECT_STREQ(control->text, c.text);
        for (size_t i = std::strlen(c.text); i < sizeof control->text; ++i) {
            ASSERT_EQ(control->text[i], '\0') << i;
        }
        EXPECT_EQ(control->left | control->top | control->width | control->height, 0);
        EXPECT_FALSE(control->on_click || control->on_double_click || control->on_mouse_down ||
                     control->on_mouse_up || control->on_mouse_move || control->on_key_down ||
                     control->on_key_up || control->on_focus_lost || control->on_focus_gained);
    }
}

TEST(ControlRecordTest, KindFieldsStartEmpty) {
    Progress progress(1, kParent);
    EXPECT_EQ(progress.minimum | progress.maximum, 0);
    List list(1, kParent);
    EXPECT_EQ(list.lastAdded, 0);
    EXPECT_FALSE(list.on_select_change);
    Tool tool(1, kParent);
    EXPECT_EQ(tool.buttonCount | tool.bitmapId, 0);
    EXPECT_EQ(tool.buttons[Tool::kMaxButtons - 1].idCommand, 0);
    Tree tree(1, kParent);
    EXPECT_TRUE(tree.items.empty());
    EXPECT_FALSE(tree.populated);
    EXPECT_FALSE(tree.on_tree_select);
}

TEST(ControlRecordTest, CaptionCopyIsBounded) {
    std::string caption = Repeat('x', 400);
    Label label(1, kParent, caption.c_str());
    EXPECT_EQ(std::string(label.text), Repeat('x', 149));
    Label none(1, kParent, nullptr);
    EXPECT_STREQ(none.text, "");
}

// A slot takes a function without arguments or one with the full
// signature, and hands the arguments only to the latter.
int bareCalls = 0;
SmControl* fullControl = nullptr;
int fullCode = -1;
NMHDR* fullRecord = nullptr;
void Bare() { ++bareCalls; }
void Full(SmControl* control, int code, NMHDR* record) {
    fullControl = control;
    fullCode = code;
    fullRecord = record;
}

TEST(HandlerSlotTest, BareAndFullHandlersBothFit) {
    Boton boton(1, kParent, "b");
    NMHDR record{};
    NotifyHandler slot;
    EXPECT_FALSE(slot);
    slot(&boton, 0, &record);  // empty: ignored

    slot = Bare;
    EXPECT_TRUE(slot);
    slot(&boton, 6, &record);
    EXPECT_EQ(bareCalls, 1);
    EXPECT_EQ(fullControl, nullptr);

    slot = Full;
    slot(&boton, 6, &record);
    EXPECT_EQ(bareCalls, 1);
    EXPECT_EQ(fullControl, &boton);
    EXPECT_EQ(fullCode, 6);
    EXPECT_EQ(fullRecord, &record);

    slot = nullptr;
    EXPECT_FALSE(slot);
}

}  // namespace
