#pragma once
// Which derived class a control object is. The routing reads it to pick a
// router, the Tab walk to skip kinds that take no input, and the option group
// to find the options of a window.
enum ControlKind : int {
    KindSmControl = 0,  // bare base object, never a live control
    KindBoton = 1,
    KindCheck = 2,
    KindOption = 3,
    KindFrame = 4,
    KindProgress = 5,
    KindImage = 6,
    KindIcono = 7,
    KindLabel = 8,
    KindEdit = 9,
    KindList = 10,
    KindCombo = 11,
    KindCalendar = 12,
    KindTab = 13,
    KindTool = 14,
    KindStatus = 15,
    KindTree = 16,
    KindEje = 17,
};
