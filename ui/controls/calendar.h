#pragma once
#include "ui/sm_control.h"

// A date picker whose date is read and set as day/month/year text.
class Calendar : public SmControl {
public:
    Calendar(int id, HWND parentHandle) : SmControl(KindCalendar, id, parentHandle) {}

    // Sets the day, month and year the text gives ("25/12/2024"); the time
    // of day and any part the text leaves out keep their values. A text with
    // no '/' is a year alone. Returns `text`, which holds a copy of the text.
    const char* SetDate(const char* date);
    // The date as day/month/year without leading zeros ("7/12/2026").
    const char* Date();

    NotifyHandler on_change;
};
