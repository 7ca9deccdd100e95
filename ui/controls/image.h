#pragma once
#include "ui/sm_control.h"

// A static picture showing a bitmap resource at the bitmap's own size.
class Image : public SmControl {
public:
    Image(int id, HWND parentHandle) : SmControl(KindImage, id, parentHandle) {}
};
