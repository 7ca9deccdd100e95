#include "support/factory_check.h"

#include <gtest/gtest.h>

#include "support/message_hook.h"
#include "ui/procedures.h"
#include "ui/sm_control.h"
#include "ui/sm_ventana.h"

void CheckFactories(SmVentana& window, const std::vector<FactoryCase>& cases) {
    MessageHook hook;
    int expectedId = 0;
    for (const FactoryCase& c : cases) {
        SCOPED_TRACE(c.name);
        SmControl* control = c.add(window);
        ASSERT_NE(control, nullptr);
        ASSERT_NE(control->handle, nullptr);
        ++expectedId;
        EXPECT_EQ(control->id, expectedId);
        EXPECT_EQ(window.count, expectedId);
        EXPECT_EQ(window.controls[expectedId], control);
        EXPECT_EQ(GetDlgCtrlID(control->handle), expectedId);
        EXPECT_EQ(control->kind, c.kind);
        EXPECT_EQ(control->parentHandle, window.handle);
        EXPECT_EQ(GetParent(control->handle), window.handle);
        char name[64] = {};
        GetClassNameA(control->handle, name, sizeof name);
        EXPECT_STRCASEEQ(name, c.systemClass);
        auto created = hook.To(control->handle, WM_NCCREATE);
        ASSERT_EQ(created.size(), 1u);
        EXPECT_EQ(created[0].createExStyle, c.extendedStyle);
        EXPECT_EQ(created[0].createStyle, c.style);
        auto fonts = hook.To(control->handle, WM_SETFONT);
        ASSERT_EQ(fonts.size(), c.font ? 1u : 0u);
        if (c.font) {
            EXPECT_EQ(reinterpret_cast<HGDIOBJ>(fonts[0].wParam), GetStockObject(DEFAULT_GUI_FONT));
        }
        EXPECT_EQ(GetWindowLongPtrA(control->handle, GWLP_USERDATA),
                  reinterpret_cast<LONG_PTR>(control));
        EXPECT_EQ(GetWindowLongPtrA(control->handle, GWLP_WNDPROC),
                  reinterpret_cast<LONG_PTR>(&ControlProc));
        EXPECT_NE(control->previousProc, nullptr);
        EXPECT_TRUE(IsWindowVisible(control->handle));
        EXPECT_STREQ(control->text, c.text);
        EXPECT_EQ(control->left + control->top + control->width + control->height, 0);
    }
}
