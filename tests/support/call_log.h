#pragma once
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

class SmControl;
class SmVentana;

// What the recording handlers saw, in order: the slot's name and its
// arguments. A control argument is recorded as its id, a notification record
// as its address.
struct Call {
    std::string slot;
    std::vector<std::intptr_t> args;
    bool operator==(const Call& other) const { return slot == other.slot && args == other.args; }
};
std::ostream& operator<<(std::ostream& out, const Call& call);

extern std::vector<Call> calls;

// Binds every handler slot of the window to a recording handler. on_measure_item
// also writes 33 and 44 into the item's width and height.
void RecordWindowSlots(SmVentana& window);
// Binds every slot of the control, the kind-specific ones included.
void RecordControlSlots(SmControl& control);
