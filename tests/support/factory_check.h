#pragma once
#include <windows.h>

#include <functional>
#include <vector>

class SmControl;
class SmVentana;

// One factory call and what it must create.
struct FactoryCase {
    const char* name;
    std::function<SmControl*(SmVentana&)> add;
    int kind;
    const char* systemClass;
    DWORD extendedStyle;  // as asked for at creation
    DWORD style;
    bool font;         // the default GUI font is set
    const char* text;  // the object's copy
};

// Runs the factories in order on an empty window and checks each control:
// id and slot, kind, parent, system class, the styles it was created with,
// its font, the links between window and object, visibility, its text and
// an untouched geometry cache.
void CheckFactories(SmVentana& window, const std::vector<FactoryCase>& cases);
